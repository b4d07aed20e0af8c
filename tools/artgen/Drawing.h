#pragma once

#include <cairo.h>

#include <string>

// A cairo image surface with its context, written out as PNG or baseline JPEG.
class Surface {
public:
    Surface(int width, int height);
    ~Surface();
    Surface(Surface const&) = delete;
    Surface& operator=(Surface const&) = delete;

    cairo_t* cr() { return m_cr; }
    void write_png(std::string const& path);
    void write_jpeg(std::string const& path, int quality = 90);

private:
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};
