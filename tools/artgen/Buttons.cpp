#include "Buttons.h"

#include "Surface.h"

#include <algorithm>

namespace {

char const* state_name(ButtonState s)
{
    switch (s) {
    case ButtonState::rest: return "rest";
    case ButtonState::hover: return "hover";
    case ButtonState::disabled: return "disabled";
    case ButtonState::down: return "down";
    }
    return "";
}

// The button's face: a round or rounded shape with a glossy gradient, a white
// rim, and a warm glow around it while the pointer is over it.
void draw_face(cairo_t* cr, ButtonLook const& look, ButtonState state)
{
    double w = look.width, h = look.height;
    double pad = std::max(2.0, std::min(w, h) * 0.06);
    double press = state == ButtonState::down ? pad * 0.4 : 0;
    double x = pad + press, y = pad + press, fw = w - 2 * pad, fh = h - 2 * pad - pad * 0.4;
    bool round = look.label.empty();
    auto outline = [&](double grow) {
        cairo_new_path(cr);
        if (round)
            ellipse(cr, x + fw / 2, y + fh / 2, fw / 2 + grow, fh / 2 + grow);
        else
            rounded_rect(cr, x - grow, y - grow, fw + 2 * grow, fh + 2 * grow, fh / 2 + grow);
    };

    Colour face = look.colour;
    if (state == ButtonState::hover)
        face = mix(face, colours::white, 0.22);
    if (state == ButtonState::down)
        face = mix(face, colours::ink, 0.2);

    if (state == ButtonState::hover) {
        outline(pad * 0.8);
        set_colour(cr, colours::yellow, 0.9);
        cairo_fill(cr);
    } else if (state != ButtonState::down) {
        outline(0);
        shadow_path(cr, pad * 0.5, 0.3);
        cairo_new_path(cr);
    }
    outline(0);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y, 0, y + fh);
    Colour top = mix(face, colours::white, 0.35);
    cairo_pattern_add_color_stop_rgb(gloss, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gloss, 0.55, face.r, face.g, face.b);
    Colour bottom = mix(face, colours::ink, 0.2);
    cairo_pattern_add_color_stop_rgb(gloss, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gloss);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gloss);
    set_colour(cr, colours::white);
    cairo_set_line_width(cr, std::max(2.0, pad * 0.6));
    cairo_stroke(cr);

    double cx = x + fw / 2, cy = y + fh / 2;
    if (round) {
        draw_icon(cr, look.icon, cx, cy, std::min(fw, fh) * 0.62);
        return;
    }
    double size = fh * 0.55;
    while (text_width(cr, look.label, size) > fw * 0.82)
        size -= 1;
    draw_text(cr, look.label, cx, cy, size, colours::white, mix(face, colours::ink, 0.6), size * 0.07);
}

}

void draw_button(Surface& surface, ButtonLook const& look, ButtonState state)
{
    draw_face(surface.cr(), look, state == ButtonState::disabled ? ButtonState::rest : state);
    if (state == ButtonState::disabled)
        surface.fade_to_grey();
}

void write_button(std::string const& folder, std::string const& name, ButtonLook const& look,
    std::vector<ButtonState> const& states)
{
    for (ButtonState state : states) {
        Surface s(look.width, look.height);
        draw_button(s, look, state);
        s.write_png(folder + "/" + name + "_" + state_name(state) + ".png");
    }
}
