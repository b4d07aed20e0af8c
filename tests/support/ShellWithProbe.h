#pragma once

#include "shell/MainWindow.h"
#include "support/ProbeReport.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>

// The main window of MainWindow whose starters start real copies of the
// starter's probe program. A probe runs until the test ends it, so the test
// decides when a program has ended; virtual time stands still while the test
// waits for it in real time.
struct ShellWithProbe : MainWindow {
    std::string report_path { profile.path() + "report" };
    std::vector<std::string> probes;
    // Virtual times of the last start and the last reported end.
    platform::Millis started_at { -1 };
    platform::Millis finished_at { -1 };

    ShellWithProbe()
    {
        ::setenv("SPROUT_PROBE_OUT", report_path.c_str(), 1);
        ::setenv("SPROUT_PROBE_SLEEP_MS", "60000", 1);
        furnish();
        for (TStarter* starter : { &form.AppExe, &form.volstarter }) {
            // A loop step goes on waiting after the call that started a
            // program; a posted call ends the step at once, so the test gets
            // hold of the program before any finish check can run.
            starter->OnAfterStart = [this, bound = starter->OnAfterStart](TObject* sender) {
                if (bound)
                    bound(sender);
                started_at = t.now();
                t.app.loop().post([] { });
            };
            starter->OnFinished = [this, bound = starter->OnFinished](TObject* sender) {
                finished_at = t.now();
                bound(sender);
                t.app.loop().post([] { });
            };
        }
    }

    ~ShellWithProbe() override
    {
        for (auto const& pid : probes)
            ::kill(std::stoi(pid), SIGKILL);
        for (auto const& pid : probes)
            ProbeReport::wait_until_ended(pid);
        ::unsetenv("SPROUT_PROBE_OUT");
        ::unsetenv("SPROUT_PROBE_SLEEP_MS");
    }

    // A copy of the probe at `path`.
    std::string install_probe(std::string const& path)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::filesystem::copy_file(STARTER_PROBE, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    // The report of the probe that has just started; the next start writes a
    // fresh one.
    ProbeReport started()
    {
        auto report = ProbeReport::wait_for(report_path);
        EXPECT_TRUE(report.has_value()) << "no program started";
        if (!report)
            return {};
        std::filesystem::remove(report_path);
        probes.push_back(report->pid);
        return *report;
    }

    // Ends the program; its starter's next finish check notices.
    void end(ProbeReport const& program)
    {
        ::kill(std::stoi(program.pid), SIGTERM);
        EXPECT_TRUE(ProbeReport::wait_until_ended(program.pid));
    }

    // A click whose message box is answered with Return, queued behind it.
    void click_and_answer(TControl const& c)
    {
        int x = c.screen_left() + c.Width() / 2, y = c.screen_top() + c.Height() / 2;
        move_to(x, y);
        t.press(x, y);
        t.release(x, y);
        t.key(platform::keys::Return);
        t.settle();
    }

    bool minimised() const { return t.window.minimised(); }
    std::vector<std::string> messages()
    {
        std::vector<std::string> texts;
        for (auto const& line : traced("message"))
            texts.push_back(line.fields.at(0) + ": " + line.fields.at(1));
        return texts;
    }
    std::string first_field(std::string const& kind) { return traced(kind).back().fields.at(0); }
};
