#include "Drawing.h"

#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>
#include <vector>

Surface::Surface(int width, int height)
    : m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height))
    , m_cr(cairo_create(m_surface))
{
}

Surface::~Surface()
{
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void Surface::write_png(std::string const& path)
{
    cairo_surface_flush(m_surface);
    if (cairo_surface_write_to_png(m_surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

void Surface::write_jpeg(std::string const& path, int quality)
{
    cairo_surface_flush(m_surface);
    int w = cairo_image_surface_get_width(m_surface);
    int h = cairo_image_surface_get_height(m_surface);
    int stride = cairo_image_surface_get_stride(m_surface);
    unsigned char const* data = cairo_image_surface_get_data(m_surface);

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr jerr {};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(w * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto const* px = reinterpret_cast<std::uint32_t const*>(data + cinfo.next_scanline * stride);
        for (int x = 0; x < w; ++x) {
            row[x * 3] = (px[x] >> 16) & 0xff;
            row[x * 3 + 1] = (px[x] >> 8) & 0xff;
            row[x * 3 + 2] = px[x] & 0xff;
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(f);
}
