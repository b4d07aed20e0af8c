#pragma once

#include <cairo.h>

// The sunny meadow behind every screen: sky, sun, clouds, hills and flowers.
enum class Sun { shown, hidden };
void draw_meadow(cairo_t* cr, double width, double height, Sun sun = Sun::shown);
