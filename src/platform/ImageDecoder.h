#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <span>
#include <stdexcept>

namespace platform {

enum class ImageFormat { Png, Jpeg, Unknown };

// A picture that cannot be decoded; what() is the text shown to the user.
class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

ImageFormat sniff_image_format(std::span<const std::uint8_t> data);

// Decoders never end the process: every libpng or libjpeg error becomes a
// DecodeError.
Bitmap decode_png(std::span<const std::uint8_t> data);
Bitmap decode_jpeg(std::span<const std::uint8_t> data);
// Either of the two, as the bytes say; anything else is a DecodeError.
Bitmap decode_picture(std::span<const std::uint8_t> data);

struct PictureSize {
    int width { 0 };
    int height { 0 };
};
// The size a PNG or JPEG picture would decode to, read from its header alone.
PictureSize picture_size(std::span<const std::uint8_t> data);

}
