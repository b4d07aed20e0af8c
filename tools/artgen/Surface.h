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
    cairo_surface_t* surface() { return m_surface; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Draws another surface with its top-left corner at x, y.
    void paint(Surface& other, double x, double y);
    // Greys out and lightens every pixel, keeping the alpha: the look of a
    // button that cannot be pressed.
    void fade_to_grey();

    void write_png(std::string const& path);
    void write_jpeg(std::string const& path, int quality = 92);

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};
