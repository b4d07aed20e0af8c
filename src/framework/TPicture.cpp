#include "framework/TPicture.h"

#include "platform/Files.h"

#include <future>
#include <map>
#include <stdexcept>

namespace {

using BitmapPtr = std::shared_ptr<const platform::Bitmap>;

// A stored picture that does not decode (the size was read, the rest is
// spoilt) is drawn as nothing. Runs on any thread.
BitmapPtr decoded_copy(std::span<const std::uint8_t> data)
{
    try {
        return std::make_shared<const platform::Bitmap>(platform::decode_picture(data));
    } catch (platform::DecodeError const&) {
        return std::make_shared<const platform::Bitmap>();
    }
}

// Pictures are drawn on the user-interface thread only, so the shared
// decoded copies and the decodes under way need no lock.
std::map<std::uint8_t const*, std::future<BitmapPtr>> decoding;

BitmapPtr decode_shared(std::span<const std::uint8_t> data)
{
    static std::map<std::uint8_t const*, std::weak_ptr<const platform::Bitmap>> decoded;
    if (auto shared = decoded[data.data()].lock())
        return shared;
    BitmapPtr fresh;
    if (auto ahead = decoding.extract(data.data()))
        fresh = ahead.mapped().get();
    else
        fresh = decoded_copy(data);
    decoded[data.data()] = fresh;
    return fresh;
}

}

void TPicture::LoadFromFile(std::string const& path)
{
    auto data = platform::files::read_all(path);
    if (!data)
        throw std::runtime_error("Cannot open file \"" + path + "\". No such file or directory");
    load_from_data(*data);
}

void TPicture::load_from_data(std::span<const std::uint8_t> data)
{
    platform::Bitmap bitmap = platform::decode_picture(data);
    set_bitmap(std::move(bitmap), platform::sniff_image_format(data));
}

void TPicture::load_lasting_data(std::span<const std::uint8_t> data)
{
    platform::PictureSize size = platform::picture_size(data);
    m_graphic.reset();
    m_lasting = data;
    m_size = size;
    m_format = platform::sniff_image_format(data);
    changed();
}

void TPicture::decode_ahead(std::span<const std::uint8_t> data)
{
    if (!data.empty() && !decoding.contains(data.data()))
        decoding[data.data()] = std::async(std::launch::async, [data] { return decoded_copy(data); });
}

platform::Bitmap const* TPicture::Graphic() const
{
    if (!m_graphic && !m_lasting.empty())
        m_graphic = decode_shared(m_lasting);
    return m_graphic.get();
}

void TPicture::Assign(TPicture const* other)
{
    m_graphic = other ? other->m_graphic : nullptr;
    m_lasting = other ? other->m_lasting : std::span<const std::uint8_t>();
    m_size = other ? other->m_size : platform::PictureSize();
    m_format = other ? other->m_format : platform::ImageFormat::Unknown;
    changed();
}

void TPicture::set_bitmap(platform::Bitmap bitmap, platform::ImageFormat format)
{
    m_size = { bitmap.width, bitmap.height };
    m_graphic = std::make_shared<const platform::Bitmap>(std::move(bitmap));
    m_lasting = {};
    m_format = format;
    changed();
}

void TPicture::Clear()
{
    m_graphic.reset();
    m_lasting = {};
    m_size = {};
    m_format = platform::ImageFormat::Unknown;
    changed();
}

void TPicture::changed()
{
    if (OnChange)
        OnChange(this);
}
