#include "Surface.h"

#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct Compressor {
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    Compressor()
    {
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
    }
    ~Compressor() { jpeg_destroy_compress(&info); }
    Compressor(Compressor const&) = delete;
    Compressor& operator=(Compressor const&) = delete;
};

}

Surface::Surface(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height))
    , m_cr(cairo_create(m_surface))
{
    cairo_select_font_face(m_cr, "Andika", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
}

Surface::~Surface()
{
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void Surface::paint(Surface& other, double x, double y)
{
    cairo_surface_flush(other.m_surface);
    cairo_save(m_cr);
    cairo_set_source_surface(m_cr, other.m_surface, x, y);
    cairo_paint(m_cr);
    cairo_restore(m_cr);
}

void Surface::fade_to_grey()
{
    cairo_surface_flush(m_surface);
    unsigned char* data = cairo_image_surface_get_data(m_surface);
    int stride = cairo_image_surface_get_stride(m_surface);
    for (int y = 0; y < m_height; ++y) {
        auto* px = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < m_width; ++x) {
            std::uint32_t a = px[x] >> 24;
            double r = (px[x] >> 16) & 0xff, g = (px[x] >> 8) & 0xff, b = px[x] & 0xff;
            // Premultiplied: mixing with a * white keeps every channel <= alpha.
            auto grey = static_cast<std::uint32_t>(0.5 * (0.3 * r + 0.59 * g + 0.11 * b) + 0.45 * a);
            px[x] = (a << 24) | (grey << 16) | (grey << 8) | grey;
        }
    }
    cairo_surface_mark_dirty(m_surface);
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
    int stride = cairo_image_surface_get_stride(m_surface);
    unsigned char const* data = cairo_image_surface_get_data(m_surface);

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw std::runtime_error("cannot write " + path);
    Compressor c;
    jpeg_stdio_dest(&c.info, file.get());
    c.info.image_width = m_width;
    c.info.image_height = m_height;
    c.info.input_components = 3;
    c.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.info); // sequential Huffman coding: a baseline JPEG
    jpeg_set_quality(&c.info, quality, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    std::vector<unsigned char> row(m_width * 3);
    while (c.info.next_scanline < c.info.image_height) {
        auto const* px = reinterpret_cast<std::uint32_t const*>(data + c.info.next_scanline * stride);
        for (int x = 0; x < m_width; ++x) {
            row[x * 3] = (px[x] >> 16) & 0xff;
            row[x * 3 + 1] = (px[x] >> 8) & 0xff;
            row[x * 3 + 2] = px[x] & 0xff;
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c.info, &r, 1);
    }
    jpeg_finish_compress(&c.info);
}
