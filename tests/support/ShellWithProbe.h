#pragma once

#include "shell/TForm1.h"

#include "platform/fake/ClockedAudioDevice.h"
#include "support/ProbeReport.h"
#include "support/SoundFiles.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "support/TraceLog.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

// The main window in virtual time over a clocked output, tracing into a temp
// folder, whose starters start real copies of the starter's probe program.
// A probe runs until the test ends it, so the test decides when a program
// has ended; time stands still while the test waits for it in real time.
struct ShellWithProbe : ::testing::Test {
    TestApp t;
    TempFolder folder;
    platform::ClockedAudioDevice output { t.clock };
    TraceLog trace { folder.path() + "trace.txt" };
    std::string report_path { folder.path() + "report" };
    TForm1& form = create_form();
    std::vector<std::string> probes;
    // Virtual times of the last start and the last reported end.
    platform::Millis started_at { -1 };
    platform::Millis finished_at { -1 };

    ShellWithProbe()
    {
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

    TForm1& create_form()
    {
        platform::AudioDevice::install(&output);
        ::setenv("ALLUSERSPROFILE", folder.make_folder("profile").c_str(), 1);
        ::setenv("SPROUT_PROBE_OUT", report_path.c_str(), 1);
        ::setenv("SPROUT_PROBE_SLEEP_MS", "60000", 1);
        auto& f = t.app.CreateForm<TForm1>("Form1");
        f.voicedir = folder.make_folder("voice") + "/";
        f.fxdir = folder.make_folder("fx") + "/";
        for (char const* name : { "voice/a_2.wav", "voice/m1.wav", "voice/m3.wav", "fx/click.wav", "fx/wrong.wav" })
            folder.write(name, sound_files::wav(200, 0.25));
        return f;
    }

    ~ShellWithProbe() override
    {
        for (auto const& pid : probes)
            ::kill(std::stoi(pid), SIGKILL);
        for (auto const& pid : probes)
            ProbeReport::wait_until_ended(pid);
        t.app.delete_component(&form);
        platform::AudioDevice::install(nullptr);
        ::unsetenv("SPROUT_PROBE_OUT");
        ::unsetenv("SPROUT_PROBE_SLEEP_MS");
    }

    // A copy of the probe at `relative` under the folder.
    std::string install_probe(std::string const& relative)
    {
        std::string path = folder.path() + relative;
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

    enum class Box { none, answered };
    // With Box::answered, Return is queued behind the click for the message
    // box the click opens.
    void click(TControl& control, Box box = Box::none)
    {
        int x = control.screen_left() + control.Width() / 2;
        int y = control.screen_top() + control.Height() / 2;
        t.move(x, y);
        t.press(x, y);
        t.release(x, y);
        if (box == Box::answered)
            t.key(platform::keys::Return);
        t.settle();
    }

    bool minimised() const { return t.window.minimised(); }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (auto const& line : trace.lines("message"))
            texts.push_back(line.fields.at(0) + ": " + line.fields.at(1));
        return texts;
    }
};
