#pragma once

#include "framework/Canvas.h"

// The geometry and look of a vertical scroll bar: an arrow button at each
// end and between them a track with a thumb sized to the page. A value made
// afresh from its owner's state whenever needed, so it never goes stale.
struct ScrollBar {
    static constexpr int width = 16;
    enum class Part { LineUp, LineDown, PageUp, PageDown, Thumb };

    int height;
    int max;      // the last position; 0 when everything fits
    int page;     // positions in view at once
    int position; // 0..max

    Part part_at(int y) const;
    int thumb_top() const;
    int thumb_height() const;
    // The position that puts the thumb's top nearest to y.
    int position_for_thumb_top(int y) const;
    // Drawn at x, over the full height of the canvas.
    void paint(Canvas&, int x) const;

private:
    int arrow_height() const;
    int track_height() const;
};
