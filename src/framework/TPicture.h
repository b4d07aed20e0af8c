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
// decoded pixels, which are never changed in place. A picture kept in the
// program itself is decoded only when first drawn, and pictures holding the
// same stored data share one decoded copy while any of them needs it.
class TPicture : public TObject {
public:
    TPicture() = default;

    // Raises an error with a clear text when the file is missing or is no
    // picture it can decode.
    void LoadFromFile(std::string const& path);
    void load_from_data(std::span<const std::uint8_t> data);
    // `data` must outlive every picture it is assigned to (a picture stored
    // in the program); only its size is read now.
    void load_lasting_data(std::span<const std::uint8_t> data);
    // Decodes picture data kept in the program on a thread of its own, for
    // a picture drawn soon: its first draw then waits only for what is left.
    // On the user-interface thread.
    static void decode_ahead(std::span<const std::uint8_t> data);
    // Copies the graphic of `other` (none when other is null or empty).
    void Assign(TPicture const* other);
    void set_bitmap(platform::Bitmap bitmap, platform::ImageFormat format = platform::ImageFormat::Png);
    void Clear();

    platform::Bitmap const* Graphic() const;
    platform::ImageFormat format() const { return m_format; }
    bool empty() const { return !m_graphic && m_lasting.empty(); }
    int Width() const { return m_size.width; }
    int Height() const { return m_size.height; }

    TNotifyEvent OnChange;

private:
    void changed();

    // Decoded on first use when m_lasting holds the encoded picture.
    mutable std::shared_ptr<const platform::Bitmap> m_graphic;
    std::span<const std::uint8_t> m_lasting;
    platform::PictureSize m_size;
    platform::ImageFormat m_format { platform::ImageFormat::Unknown };
};
