#pragma once

#include <cairo.h>

// The package's mascot: a friendly ant with a sprout on its head, drawn
// standing in a 75 x 152 box (callers scale it for bigger pictures).
class Mascot {
public:
    static constexpr double width = 75;
    static constexpr double height = 152;

    enum class Gaze { front, left, right };
    enum class Mouth { closed, small_round, wide, tall, flat, half };

    struct Pose {
        Gaze gaze = Gaze::front;
        Mouth mouth = Mouth::closed;
        bool blink = false;
        double head_dx = 0; // head offset for shaking and nodding, in box pixels
        double head_dy = 0;
        double wave = 0; // 0 arm down .. 1 arm raised high
        double step = 0; // -1 .. 1, legs swinging while walking
    };

    explicit Mascot(Pose pose);

    // Draws into the 75 x 152 box at the current origin and scale.
    void draw(cairo_t* cr) const;

private:
    void draw_legs(cairo_t* cr) const;
    void draw_arms(cairo_t* cr) const;
    void draw_body(cairo_t* cr) const;
    void draw_head(cairo_t* cr) const;
    void draw_eyes(cairo_t* cr, double cx, double cy) const;
    void draw_mouth(cairo_t* cr, double cx, double cy) const;

    Pose m_pose;
};
