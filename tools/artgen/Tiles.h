#pragma once

#include "Icons.h"
#include "Paint.h"

#include <cairo.h>
#include <string>

// A white card with a coloured border, a picture and, when given, a label
// underneath: the look of every menu item and sub-choice.
void draw_tile(cairo_t* cr, double x, double y, double w, double h, Colour border, Icon icon,
    std::string const& label = {});

// "Pipkin ! Sprout" in bouncy, many-coloured letters centred on cx, cy.
void draw_title(cairo_t* cr, double cx, double cy, double size);
