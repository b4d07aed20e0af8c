#pragma once

#include <algorithm>

namespace platform {

// A rectangle of canvas pixels, right and bottom exclusive.
struct Rect {
    int left { 0 }, top { 0 }, right { 0 }, bottom { 0 };

    static Rect of_size(int x, int y, int w, int h) { return { x, y, x + w, y + h }; }

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }

    Rect intersect(Rect const& o) const
    {
        return { std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom) };
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect unite(Rect const& o) const
    {
        if (empty())
            return o;
        if (o.empty())
            return *this;
        return { std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom) };
    }

    bool operator==(Rect const&) const = default;
};

}
