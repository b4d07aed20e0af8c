#include "platform/fluid/ServedSubset.h"

#include "platform/Files.h"
#include "platform/fluid/FluidHandles.h"
#include "platform/fluid/FluidLibrary.h"

#include <fcntl.h>

#include <map>
#include <mutex>

namespace platform::fluid {

namespace {

std::mutex served_mutex;
// Guarded by served_mutex.
std::map<std::string, std::shared_ptr<SoundfontSubset const>> served;

// The descriptor must outlive the reader.
SoundfontSubset::ReadAt reader_of(FileDescriptor const& file)
{
    return [&file](std::uint64_t offset, std::span<std::uint8_t> into) {
        return file.read_fully(std::as_writable_bytes(into), offset) == into.size();
    };
}

// A file the synth opened: the original and where the synth is in the
// subset's version of it.
struct OpenSubset {
    FileDescriptor file;
    std::shared_ptr<SoundfontSubset const> subset;
    SoundfontSubset::ReadAt original;
    std::uint64_t pos { 0 };
};

void* open_subset(char const* path)
{
    std::shared_ptr<SoundfontSubset const> subset;
    {
        std::lock_guard lock(served_mutex);
        auto found = served.find(path);
        if (found == served.end())
            return nullptr;
        subset = found->second;
    }
    FileDescriptor file(::open(path, O_RDONLY | O_CLOEXEC));
    if (!file)
        return nullptr;
    auto* opened = new OpenSubset { std::move(file), std::move(subset), {} };
    opened->original = reader_of(opened->file);
    return opened;
}

int read_subset(void* buffer, fluid_long_long_t count, void* handle)
{
    auto& file = *static_cast<OpenSubset*>(handle);
    if (count < 0
        || !file.subset->read(file.original, file.pos, { static_cast<std::uint8_t*>(buffer), std::size_t(count) }))
        return FLUID_FAILED;
    file.pos += std::uint64_t(count);
    return FLUID_OK;
}

int seek_subset(void* handle, fluid_long_long_t offset, int origin)
{
    auto& file = *static_cast<OpenSubset*>(handle);
    fluid_long_long_t const size = fluid_long_long_t(file.subset->size());
    fluid_long_long_t base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? fluid_long_long_t(file.pos) : size;
    if ((origin != SEEK_SET && origin != SEEK_CUR && origin != SEEK_END) || offset < -base || offset > size - base)
        return FLUID_FAILED;
    file.pos = std::uint64_t(base + offset);
    return FLUID_OK;
}

fluid_long_long_t tell_subset(void* handle) { return fluid_long_long_t(static_cast<OpenSubset*>(handle)->pos); }

int close_subset(void* handle)
{
    delete static_cast<OpenSubset*>(handle);
    return FLUID_OK;
}

std::optional<SoundfontSubset> subset_of(std::string const& path, SoundfontSubset::Programs const& programs)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    auto found = file ? files::status(file) : std::nullopt;
    if (!found || !found->regular)
        return std::nullopt;
    return SoundfontSubset::make(reader_of(file), found->size, programs);
}

}

ServedSubset::ServedSubset(std::string path)
    : m_path(std::move(path))
{
}

std::unique_ptr<ServedSubset> ServedSubset::serve(std::string path, SoundfontSubset::Programs const& programs)
{
    auto subset = subset_of(path, programs);
    if (!subset)
        return nullptr;
    std::lock_guard lock(served_mutex);
    if (!served.try_emplace(path, std::make_shared<SoundfontSubset const>(std::move(*subset))).second)
        return nullptr;
    return std::unique_ptr<ServedSubset>(new ServedSubset(std::move(path)));
}

ServedSubset::~ServedSubset()
{
    std::lock_guard lock(served_mutex);
    served.erase(m_path);
}

fluid_sfloader_t* ServedSubset::make_loader(fluid_settings_t* settings)
{
    auto const& f = functions();
    LoaderPtr loader(f.new_fluid_defsfloader(settings));
    if (loader
        && f.fluid_sfloader_set_callbacks(loader.get(), open_subset, read_subset, seek_subset, tell_subset, close_subset)
            != FLUID_OK)
        return nullptr;
    return loader.release();
}

}
