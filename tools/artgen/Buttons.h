#pragma once

#include "Icons.h"
#include "Paint.h"

#include <string>
#include <vector>

// Picture buttons in their states, written as name + "_" + state + ".png"
// with a transparent background around the button's shape.
enum class ButtonState { rest, hover, disabled, down };

struct ButtonLook {
    int width;
    int height;
    Colour colour;
    Icon icon;             // round buttons
    std::string label {};  // a non-empty label makes a wide rounded button
};

class Surface;

// Draws the button in one state over the whole surface.
void draw_button(Surface& surface, ButtonLook const& look, ButtonState state);
void write_button(std::string const& folder, std::string const& name, ButtonLook const& look,
    std::vector<ButtonState> const& states);
