#pragma once

#include "framework/TWinControl.h"
#include "platform/TextRenderer.h"

#include <string>
#include <vector>

// A sorted single-selection list box without border, as a native child
// window: items of one height from the top, the selected one highlighted.
// The mouse selects on the press and notifies OnClick on the release; the
// wheel scrolls by whole items; Up, Down, Home and End move the selection
// while it has the focus.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);

    void Clear();
    // Goes in before the first item that sorts after it (cp1252::compare_text),
    // so equal items keep the order they came in.
    void AddItem(std::string utf8);
    std::vector<std::string> const& Items() const { return m_items; }

    // -1 when nothing is selected. Setting it scrolls the item into view and
    // notifies nobody; an index outside the items clears the selection.
    int ItemIndex() const { return m_item_index; }
    void SetItemIndex(int);
    int TopIndex() const { return m_top_index; }

    int ItemHeight() const { return m_item_height; }
    void SetItemHeight(int);
    platform::FontSpec const& Font() const { return m_font; }
    void SetFont(platform::FontSpec);

    bool can_focus() const override { return true; }
    void paint(Canvas&) override;
    void mouse_down(TMouseButton, TShiftState, int x, int y) override;
    void mouse_move(TShiftState, int x, int y) override;
    void mouse_up(TMouseButton, TShiftState, int x, int y) override;
    // The notification comes from mouse_up and the keys, not from the
    // application's click.
    void click() override { }
    bool mouse_wheel(int notches, TShiftState) override;
    void key_down(int key, TShiftState) override;

private:
    // Whole items that fit; a partial last row only shows the next item's top.
    int visible_items() const;
    int max_top_index() const;
    void set_top_index(int);
    void scroll_into_view(int index);
    // The item on the row at y, or -1 below the last item.
    int item_at(int y) const;
    // Selects from user input and notifies when the selection moved.
    void select_by_key(int index);

    std::vector<std::string> m_items;
    int m_item_index { -1 };
    int m_top_index { 0 };
    int m_item_height { 13 };
    platform::FontSpec m_font { "MS Sans Serif", 11, false };
    // A left press selected an item; the release notifies.
    bool m_tracking { false };
};
