#include "platform/ImageDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
#include <memory>
#include <png.h>
#include <string>

namespace platform {

ImageFormat sniff_image_format(std::span<const std::uint8_t> data)
{
    static const std::uint8_t png_magic[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    if (data.size() >= 8 && std::equal(png_magic, png_magic + 8, data.begin()))
        return ImageFormat::Png;
    if (data.size() >= 3 && data[0] == 0xff && data[1] == 0xd8 && data[2] == 0xff)
        return ImageFormat::Jpeg;
    return ImageFormat::Unknown;
}

namespace {

// Pictures larger than this are refused before any memory is reserved.
constexpr std::uint32_t max_side = 8192;

struct PngImage {
    png_image image {};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
};

std::uint32_t big_endian_word(std::span<const std::uint8_t> data, std::size_t at)
{
    return std::uint32_t(data[at]) << 24 | std::uint32_t(data[at + 1]) << 16 | std::uint32_t(data[at + 2]) << 8
        | std::uint32_t(data[at + 3]);
}

// libpng reserves a chunk's claimed length before reading it, so a few bytes
// claiming gigabytes would cost gigabytes. A chunk can never be longer than
// the file that holds it: walk the lengths up to IEND first.
void check_png_chunk_lengths(std::span<const std::uint8_t> data)
{
    static const std::uint8_t iend[] = { 'I', 'E', 'N', 'D' };
    std::size_t at = 8;
    while (at + 8 <= data.size()) {
        std::uint64_t length = big_endian_word(data, at);
        if (length + 12 > data.size() - at)
            throw DecodeError("Invalid PNG image: a chunk runs past the end of the file");
        if (std::equal(iend, iend + 4, data.begin() + std::ptrdiff_t(at + 4)))
            return;
        at += std::size_t(length) + 12;
    }
}

// Reads the header; the size is known and sane afterwards.
void begin_png(PngImage& png, std::span<const std::uint8_t> data)
{
    check_png_chunk_lengths(data);
    if (!png_image_begin_read_from_memory(&png.image, data.data(), data.size()))
        throw DecodeError(std::string("Invalid PNG image: ") + png.image.message);
    if (png.image.width == 0 || png.image.height == 0 || png.image.width > max_side || png.image.height > max_side)
        throw DecodeError("Invalid PNG image: unsupported size");
}

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpeg_error_exit(j_common_ptr info)
{
    auto* mgr = reinterpret_cast<JpegErrorManager*>(info->err);
    info->err->format_message(info, mgr->message);
    std::longjmp(mgr->jump, 1);
}

// A file cut short is padded with grey by libjpeg and only warned about; the
// shell must not show half a picture as if it were whole.
void jpeg_warning(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        jpeg_error_exit(info);
}

}

Bitmap decode_png(std::span<const std::uint8_t> data)
{
    PngImage png;
    begin_png(png, data);
    png.image.format = PNG_FORMAT_BGRA;
    Bitmap bitmap(int(png.image.width), int(png.image.height), 0);
    // BGRA bytes in memory are 0xAARRGGBB words on a little-endian machine.
    if (!png_image_finish_read(&png.image, nullptr, bitmap.pixels.data(), 0, nullptr))
        throw DecodeError(std::string("Invalid PNG image: ") + png.image.message);
    return bitmap;
}

namespace {

// Runs `body` on a decompressor that has read the header of `data`. Every
// libjpeg error becomes a DecodeError; `body` may create nothing with a
// destructor, since an error longjmps out of it.
template <class Body>
void read_jpeg(std::span<const std::uint8_t> data, Body const& body)
{
    jpeg_decompress_struct info {};
    JpegErrorManager errors {};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpeg_error_exit;
    errors.base.emit_message = jpeg_warning;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        throw DecodeError(std::string("JPEG error #") + std::to_string(errors.base.msg_code) + ": " + errors.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), data.size());
    jpeg_read_header(&info, TRUE);
    if (info.image_width > max_side || info.image_height > max_side)
        ERREXIT(&info, JERR_IMAGE_TOO_BIG);
    body(info);
    jpeg_destroy_decompress(&info);
}

// The first chunk of a PNG file is IHDR, whose first fields are the width
// and the height, four big-endian bytes each.
PictureSize png_size(std::span<const std::uint8_t> data)
{
    static const std::uint8_t ihdr[] = { 'I', 'H', 'D', 'R' };
    if (data.size() < 24 || !std::equal(ihdr, ihdr + 4, data.begin() + 12))
        throw DecodeError("Invalid PNG image: no header");
    std::uint32_t w = big_endian_word(data, 16), h = big_endian_word(data, 20);
    if (w == 0 || h == 0 || w > max_side || h > max_side)
        throw DecodeError("Invalid PNG image: unsupported size");
    return { int(w), int(h) };
}

}

Bitmap decode_jpeg(std::span<const std::uint8_t> data)
{
    Bitmap bitmap;
    read_jpeg(data, [&](jpeg_decompress_struct& info) {
        info.out_color_space = JCS_EXT_BGRA;
        jpeg_start_decompress(&info);
        bitmap = Bitmap(int(info.output_width), int(info.output_height), 0xff000000u);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = reinterpret_cast<JSAMPROW>(&bitmap.at(0, int(info.output_scanline)));
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
    });
    return bitmap;
}

PictureSize picture_size(std::span<const std::uint8_t> data)
{
    switch (sniff_image_format(data)) {
    case ImageFormat::Png:
        return png_size(data);
    case ImageFormat::Jpeg: {
        PictureSize size;
        read_jpeg(data, [&](jpeg_decompress_struct& info) { size = { int(info.image_width), int(info.image_height) }; });
        return size;
    }
    case ImageFormat::Unknown:
        break;
    }
    throw DecodeError(data.empty() ? "Invalid picture: the file is empty" : "Unknown picture file format");
}

Bitmap decode_picture(std::span<const std::uint8_t> data)
{
    switch (sniff_image_format(data)) {
    case ImageFormat::Png:
        return decode_png(data);
    case ImageFormat::Jpeg:
        return decode_jpeg(data);
    case ImageFormat::Unknown:
        break;
    }
    throw DecodeError(data.empty() ? "Invalid picture: the file is empty" : "Unknown picture file format");
}

}
