#pragma once

#include "platform/fake/ClockedAudioDevice.h"
#include "resources/StoredPictures.h"
#include "shell/TForm1.h"
#include "support/ScopedTrace.h"
#include "support/SoundFiles.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "support/TraceLines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

// The shell's main window in virtual time, started in an install folder of
// the test's own, with its register in a data folder of its own, its players
// on an output that renders in that time, and its trace in a file.
struct MainWindow : ::testing::Test {
    TestApp t;
    TempFolder install;
    TempFolder profile;
    platform::ClockedAudioDevice output { t.clock };
    platform::AudioDevice::Installed output_installed { output };
    ScopedTrace trace { profile.path() + "trace.txt" };
    std::string old_cwd = current_folder();
    TForm1& form = create_form();

    static std::string current_folder()
    {
        char buffer[4096];
        return ::getcwd(buffer, sizeof buffer) ? buffer : "/";
    }
    TForm1& create_form()
    {
        setenv("ALLUSERSPROFILE", profile.path().c_str(), 1);
        EXPECT_EQ(::chdir(install.path().c_str()), 0);
        auto& f = t.app.CreateForm<TForm1>("Form1");
        auto bound = f.vplayer.OnEndPlay;
        f.vplayer.OnEndPlay = [this, bound](TObject* sender) {
            ++voice_ends;
            bound(sender);
        };
        return f;
    }
    int voice_ends = 0;
    std::size_t m_forgotten = 0;
    ~MainWindow() override
    {
        t.app.delete_component(&form);
        std::error_code ignored;
        std::filesystem::current_path(old_cwd, ignored);
    }

    // Every background, effect and voice the flow names, as small files.
    void furnish()
    {
        auto jpeg = resources::stored_picture("backimage.jpg");
        std::string picture(jpeg.begin(), jpeg.end());
        for (int n = 1; n <= 12; ++n)
            install.write("menu/m_" + std::to_string(n) + ".jpg", picture);
        for (char const* name : { "m_13a.jpg", "m_13e.jpg", "m_14a.jpg", "m_14e.jpg" })
            install.write(std::string("menu/") + name, picture);
        for (char const* name : { "gliss", "keystrok", "language", "click", "wrong" })
            install.write(std::string("fxsounds/") + name + ".wav", sound_files::wav(80, 0.1));
        for (char const* folder : { "sounds_afr/", "sounds_eng/" }) {
            for (char const* name : { "a_1", "a_2", "a_17" })
                install.write(std::string(folder) + name + ".wav", sound_files::wav(300, 0.2));
            for (auto const& row : activity_catalogue::rows)
                if (!row.prompt.empty())
                    install.write(std::string(folder) + std::string(row.prompt) + ".wav", sound_files::wav(300, 0.2));
        }
    }

    // The farewell window's two pictures of one language.
    void furnish_farewell(char letter)
    {
        auto jpeg = resources::stored_picture("backimage.jpg");
        std::string picture(jpeg.begin(), jpeg.end());
        install.write(std::string("add_") + letter + ".jpg", picture);
        install.write(std::string("addback_") + letter + ".jpg", picture);
    }

    void activate() { form.OnActivate(&form); }

    // Input as the platform delivers it, handled at once.
    void move_to(int x, int y)
    {
        t.move(x, y);
        t.settle();
    }
    void move_into(TControl const& c, int dx = 0, int dy = 0)
    {
        move_to(c.screen_left() + c.Width() / 2 + dx, c.screen_top() + c.Height() / 2 + dy);
    }
    void click(TControl const& c) { click_at(c.screen_left() + c.Width() / 2, c.screen_top() + c.Height() / 2); }
    void click_at(int x, int y)
    {
        move_to(x, y);
        t.press(x, y);
        t.release(x, y);
        t.settle();
    }

    std::vector<TraceLine> traced(std::string const& kind = {})
    {
        return read_trace(trace.path(), kind, m_forgotten);
    }
    // The file names (without folder) of one kind of traced sound or picture.
    std::vector<std::string> traced_files(std::string const& kind)
    {
        std::vector<std::string> names;
        for (auto const& line : traced(kind))
            names.push_back(line.fields.at(0).substr(line.fields.at(0).rfind('/') + 1));
        return names;
    }
    std::size_t count(std::string const& kind) { return traced(kind).size(); }
    // Later reads of the trace start after what it holds now.
    void forget_trace()
    {
        m_forgotten = 0;
        m_forgotten = traced().size();
    }

    bool run_until(std::function<bool()> const& done, platform::Millis limit = 20000)
    {
        return t.run_until(done, limit);
    }
    // Lets the voice now queued or playing end, and the sequence take its
    // next step.
    void let_voice_end()
    {
        int before = voice_ends;
        EXPECT_TRUE(run_until([&] { return voice_ends > before && !form.NotifyEndTimer.Enabled(); }));
    }
};
