// The main window's activity menu: the pointer hands, the two sub-choice
// overlays, the spoken item names and the clicks that pick an activity slot.
// Writes hovermark, pendingspoken, menuactive and selectedactivity.
#include "shell/TForm1.h"

#include "framework/Trace.h"

#include <algorithm>

namespace {

void hide_all(std::initializer_list<TControl*> controls)
{
    for (TControl* c : controls)
        c->Hide();
}

// The voice file of a zone's name.
std::string prompt_of(activity_catalogue::Row const& row) { return std::string(row.prompt) + ".mp3"; }

}

void TForm1::Image1MouseMove(TObject* sender, TShiftState, int, int)
{
    if (!menuactive)
        return;
    auto& zone = *static_cast<TControl*>(sender);
    phand1.SetBounds(zone.Left(), zone.Top(), phand1.Width(), phand1.Height());
    phand1.Show();
    hide_all({ &phand2, &denke_ovr, &persepsie_ovr, &denke_but1, &denke_but2, &persepsie_but1, &persepsie_but2 });
    hover_zone(zone);
}

void TForm1::denke_but1MouseMove(TObject* sender, TShiftState, int, int)
{
    if (!menuactive || !denke_ovr.Visible())
        return;
    auto& zone = *static_cast<TControl*>(sender);
    persepsie_ovr.Hide();
    phand2.SetBounds(zone.Left(), zone.Top(), phand2.Width(), phand2.Height());
    phand2.Show();
    phand1.Hide();
    hover_zone(zone);
}

void TForm1::persepsie_but1MouseMove(TObject* sender, TShiftState, int, int)
{
    if (!menuactive || !persepsie_ovr.Visible())
        return;
    auto& zone = *static_cast<TControl*>(sender);
    denke_ovr.Hide();
    phand2.SetBounds(zone.Left(), zone.Top(), phand2.Width(), phand2.Height());
    phand2.Show();
    phand1.Hide();
    hover_zone(zone);
}

// The name's marks are set after the click sound: the sound stops the
// mascot, whose frame serves pending events, and a sequence end or another
// move handled there must not find this move's marks before its prompt is
// queued. A move into another item served there has the pointer now: its
// name, which this click sound then cut off, is asked for again, and this
// item's is left unsaid.
void TForm1::hover_zone(TControl& zone)
{
    auto const& row = *activity_catalogue::row_of(zone.Name());
    int const flag = row.flag;
    if (hovermark[flag])
        return;
    hovermark.fill(false);
    hovermark[flag] = true;
    trace::event("hover", { zone.Name() });
    if (!instructionplaying)
        PlayEffect("click.mp3");
    if (!hovermark[flag])
        return speak_hovered_again();
    if (spoken[flag] || instructionplaying)
        return;
    pendingspoken.fill(false);
    pendingspoken[flag] = true;
    StartPrompts("", 1, prompt_of(row), 500);
}

void TForm1::speak_hovered_again()
{
    auto const marked = std::find(hovermark.begin(), hovermark.end(), true);
    if (marked == hovermark.end())
        return;
    auto const flag = std::size_t(marked - hovermark.begin());
    if (pendingspoken[flag] && !spoken[flag] && !instructionplaying)
        StartPrompts("", 1, prompt_of(*activity_catalogue::row_of_flag(int(flag))), 500);
}

void TForm1::Image2MouseMove(TObject*, TShiftState, int, int)
{
    if (!menuactive)
        return;
    phand1.Hide();
    denke_ovr.Show();
    denke_but1.Show();
    denke_but2.Show();
    hide_all({ &persepsie_ovr, &persepsie_but1, &persepsie_but2 });
}

// Unlike the thinking item, this one opens its sub-choices also while the
// menu is inactive.
void TForm1::Image4MouseMove(TObject*, TShiftState, int, int)
{
    hide_all({ &phand1, &denke_ovr, &denke_but1, &denke_but2 });
    persepsie_ovr.Show();
    persepsie_but1.Show();
    persepsie_but2.Show();
}

void TForm1::backimageMouseMove(TObject*, TShiftState, int, int) { phand1.Hide(); }

// Each click selects the slot of its zone's row.
void TForm1::Image1Click(TObject* sender) { select_zone(sender); }
void TForm1::denke_but2Click(TObject* sender) { select_zone(sender); }
void TForm1::denke_but1Click(TObject* sender) { select_zone(sender); }
void TForm1::Image3Click(TObject* sender) { select_zone(sender); }
void TForm1::Image6Click(TObject* sender) { select_zone(sender); }
void TForm1::Image5Click(TObject* sender) { select_zone(sender); }
void TForm1::persepsie_but2Click(TObject* sender) { select_zone(sender); }
void TForm1::persepsie_but1Click(TObject* sender) { select_zone(sender); }
void TForm1::reportbutClick(TObject* sender) { select_zone(sender); }

void TForm1::select_zone(TObject* sender)
{
    select_activity(*activity_catalogue::row_of(static_cast<TControl*>(sender)->Name()));
}

// A click never starts work itself: it stores the slot, makes the menu
// inactive and leaves the start to executetimer's tick 300 ms later.
void TForm1::select_activity(activity_catalogue::Row const& zone)
{
    if (!menuactive) {
        PlayEffect("wrong.mp3");
        return;
    }
    set_menuactive(false);
    selectedactivity = zone.slot;
    if (zone.click_stops_prompts)
        NotifyEndTimer.SetEnabled(false);
    executetimer.SetEnabled(true);
}
