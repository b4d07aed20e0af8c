#pragma once

#include "framework/Notify.h"
#include "framework/TComponent.h"
#include "platform/Bitmap.h"
#include "platform/ImageDecoder.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// Holds at most one graphic: a decoded PNG or JPEG picture. Copies share the
// decoded pixels, which are never changed in place.
class TPicture : public TObject {
public:
    TPicture() = default;

    // Raises an error with a clear text when the file is missing or is no
    // picture it can decode.
    void LoadFromFile(std::string const& path);
    void load_from_data(std::span<const std::uint8_t> data);
    // Copies the graphic of `other` (none when other is null or empty).
    void Assign(TPicture const* other);
    void set_bitmap(platform::Bitmap bitmap, platform::ImageFormat format = platform::ImageFormat::Png);
    void Clear();

    platform::Bitmap const* Graphic() const { return m_graphic.get(); }
    platform::ImageFormat format() const { return m_format; }
    bool empty() const { return !m_graphic; }
    int Width() const { return m_graphic ? m_graphic->width : 0; }
    int Height() const { return m_graphic ? m_graphic->height : 0; }

    TNotifyEvent OnChange;

private:
    void changed();

    std::shared_ptr<const platform::Bitmap> m_graphic;
    platform::ImageFormat m_format { platform::ImageFormat::Unknown };
};
