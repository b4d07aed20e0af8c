#include "framework/TPicture.h"

#include "platform/Files.h"

#include <stdexcept>

void TPicture::LoadFromFile(std::string const& path)
{
    auto data = platform::files::read_all(path);
    if (!data)
        throw std::runtime_error("Cannot open file \"" + path + "\". No such file or directory");
    load_from_data(*data);
}

void TPicture::load_from_data(std::span<const std::uint8_t> data)
{
    switch (platform::sniff_image_format(data)) {
    case platform::ImageFormat::Png:
        set_bitmap(platform::decode_png(data), platform::ImageFormat::Png);
        return;
    case platform::ImageFormat::Jpeg:
        set_bitmap(platform::decode_jpeg(data), platform::ImageFormat::Jpeg);
        return;
    case platform::ImageFormat::Unknown:
        break;
    }
    throw platform::DecodeError(data.empty() ? "Invalid picture: the file is empty" : "Unknown picture file format");
}

void TPicture::Assign(TPicture const* other)
{
    m_graphic = other ? other->m_graphic : nullptr;
    m_format = other ? other->m_format : platform::ImageFormat::Unknown;
    changed();
}

void TPicture::set_bitmap(platform::Bitmap bitmap, platform::ImageFormat format)
{
    m_graphic = std::make_shared<const platform::Bitmap>(std::move(bitmap));
    m_format = format;
    changed();
}

void TPicture::Clear()
{
    m_graphic.reset();
    m_format = platform::ImageFormat::Unknown;
    changed();
}

void TPicture::changed()
{
    if (OnChange)
        OnChange(this);
}
