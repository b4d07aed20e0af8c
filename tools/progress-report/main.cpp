// The progress report of the demo package, started from the menu's report
// button with the seven fields every activity gets: shows what the student
// register of the data folder holds, for the student now playing and for
// everyone, and ends on Escape or its exit button.
#include "ActivityStart.h"
#include "CardScreen.h"
#include "ProgressReport.h"
#include "ReportView.h"
#include "framework/Trace.h"

#include <cstdio>
#include <exception>

namespace {

char const* state_name(ProgressReport::State state)
{
    switch (state) {
    case ProgressReport::State::ready:
        return "ready";
    case ProgressReport::State::missing:
        return "missing";
    case ProgressReport::State::empty:
        return "empty";
    case ProgressReport::State::locked:
        return "locked";
    case ProgressReport::State::damaged:
        return "damaged";
    case ProgressReport::State::unreadable:
        break;
    }
    return "unreadable";
}

}

int main(int argc, char** argv)
{
    ActivityStart const start = ActivityStart::from_arguments(argc, argv);
    ProgressReport const report
        = ProgressReport::read(start.datafolder(), start.student(), start.extra1(), start.extra2());
    trace::event("report", { state_name(report.state), start.student() });
    try {
        CardScreen screen("Progress", start.installdir());
        ReportView view(screen, report, start);
        screen.run([&] { view.draw(); }, [&](SDL_Event const& e) { return view.handle(e); });
    } catch (std::exception const& e) {
        std::fprintf(stderr, "progress report: %s\n", e.what());
        return 1;
    }
    return 0;
}
