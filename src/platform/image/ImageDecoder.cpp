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
    if (!png_image_begin_read_from_memory(&png.image, data.data(), data.size()))
        throw DecodeError(std::string("Invalid PNG image: ") + png.image.message);
    if (png.image.width == 0 || png.image.height == 0 || png.image.width > max_side || png.image.height > max_side)
        throw DecodeError("Invalid PNG image: unsupported size");
    png.image.format = PNG_FORMAT_BGRA;
    Bitmap bitmap(int(png.image.width), int(png.image.height), 0);
    // BGRA bytes in memory are 0xAARRGGBB words on a little-endian machine.
    if (!png_image_finish_read(&png.image, nullptr, bitmap.pixels.data(), 0, nullptr))
        throw DecodeError(std::string("Invalid PNG image: ") + png.image.message);
    return bitmap;
}

Bitmap decode_jpeg(std::span<const std::uint8_t> data)
{
    jpeg_decompress_struct info {};
    JpegErrorManager errors {};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpeg_error_exit;
    errors.base.emit_message = jpeg_warning;
    Bitmap bitmap;
    // Nothing with a destructor may be created between setjmp and the end of
    // decoding: longjmp would skip it.
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        throw DecodeError(std::string("JPEG error #") + std::to_string(errors.base.msg_code) + ": " + errors.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), data.size());
    jpeg_read_header(&info, TRUE);
    if (info.image_width > max_side || info.image_height > max_side)
        ERREXIT(&info, JERR_IMAGE_TOO_BIG);
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    bitmap = Bitmap(int(info.output_width), int(info.output_height), 0xff000000u);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(&bitmap.at(0, int(info.output_scanline)));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

}
