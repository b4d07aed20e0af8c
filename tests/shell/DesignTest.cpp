#include "shell/MainWindow.h"

using Design = MainWindow;

// The window as made: only the background shows, nothing ticks, and the
// pointer finds every zone of the catalogue where the menu draws it, above
// what lies under it, with the pointing hand.
TEST_F(Design, OnlyTheBackgroundShowsNothingTicksAndThePointerFindsEveryZone)
{
    for (TComponent* c : form.components()) {
        // The mascot shows inside its hidden panel.
        if (auto* control = dynamic_cast<TControl*>(c)) {
            EXPECT_EQ(control->Visible(), c == &form.backimage || c == &form.AntAnimate1) << c->Name();
        }
        if (auto* timer = dynamic_cast<TTimer*>(c)) {
            EXPECT_FALSE(timer->Enabled()) << c->Name();
        }
        if (auto* timer = dynamic_cast<TThreadedTimer*>(c)) {
            EXPECT_FALSE(timer->Enabled()) << c->Name();
        }
    }

    // Items first, then the sub-choices above them.
    using activity_catalogue::Group;
    auto const found_where_drawn = [&](activity_catalogue::Row const& row) {
        auto& zone = *form.find<TControl>(row.component);
        SCOPED_TRACE(row.component);
        // The report's button is placed with the window's other buttons.
        auto const b = row.group == Group::Button
            ? activity_catalogue::Bounds { zone.Left(), zone.Top(), zone.Width(), zone.Height() }
            : row.bounds;
        EXPECT_EQ(form.control_at(b.left + b.width / 2, b.top + b.height / 2), &zone);
        EXPECT_EQ(zone.Cursor(), crHand);
    };
    form.ShowMenuButtons();
    form.reportbut.Show();
    for (auto const& row : activity_catalogue::rows)
        if (row.group == Group::Item || row.group == Group::Button)
            found_where_drawn(row);
    for (auto const& row : activity_catalogue::rows)
        form.find<TControl>(row.component)->Show();
    for (auto const& row : activity_catalogue::rows)
        if (row.group == Group::Thinking || row.group == Group::Perception)
            found_where_drawn(row);
}
