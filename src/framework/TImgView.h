#pragma once

#include "framework/TPicture.h"
#include "framework/TWinControl.h"

#include <optional>

// A scrollable view of one picture at scale 1 on white. In a direction where
// the picture is smaller than the view it is centred; where it is larger a
// green scroll bar with a yellow, gripped handle lies along that side, and the
// handle, the bar's track and the mouse wheel move the picture.
class TImgView : public TWinControl {
public:
    explicit TImgView(TComponent* owner);

    // The picture shown. A new picture is first centred in the view.
    TPicture& Picture() { return m_picture; }
    TPicture const& Picture() const { return m_picture; }

    // Moves the view over the picture by dx, dy pixels (positive: towards the
    // picture's right and bottom), clamped to the picture.
    void Scroll(int dx, int dy);
    // The picture pixel at the visible area's top-left corner, in a scrolling
    // direction; 0 in a direction where the picture is centred.
    int ScrollX() const { return m_scroll_x; }
    int ScrollY() const { return m_scroll_y; }
    bool HorzScrollBar() const { return layout().bar[0]; }
    bool VertScrollBar() const { return layout().bar[1]; }

    static constexpr int bar_thickness = 16;
    static constexpr int wheel_step = 48;

    void paint(Canvas&) override;
    void mouse_down(TMouseButton, TShiftState, int x, int y) override;
    void mouse_move(TShiftState, int x, int y) override;
    void mouse_up(TMouseButton, TShiftState, int x, int y) override;
    bool mouse_wheel(int notches, TShiftState) override;

private:
    // Index 0 is across, 1 is down.
    struct Layout {
        int client[2];  // the visible area of the picture
        int picture[2];
        bool bar[2];
        int range(int axis) const { return bar[axis] ? picture[axis] - client[axis] : 0; }
    };
    // Where a bar's handle lies along its track, which is as long as the
    // visible area in that direction.
    struct Handle {
        int start, length;
    };
    struct Drag {
        int axis;
        int grab; // pointer offset from the handle's start
    };

    Layout layout() const;
    Handle handle(Layout const&, int axis) const;
    int scroll(int axis) const { return axis == 0 ? m_scroll_x : m_scroll_y; }
    // Scrolls to a position; every scroll asked for is traced.
    void scroll_to(int x, int y);
    void centre();
    void paint_bar(Canvas&, Layout const&, int axis) const;
    // The bar under x, y, if any.
    std::optional<int> bar_at(Layout const&, int x, int y) const;

    TPicture m_picture;
    int m_scroll_x { 0 };
    int m_scroll_y { 0 };
    std::optional<Drag> m_drag;
};
