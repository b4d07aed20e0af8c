#pragma once

#include "framework/Trace.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDisplay.h"
#include "platform/fake/FakeHotKeys.h"
#include "shell/TForm1.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "support/WorkingDirectory.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// The main window made and destroyed in an install folder of its own, over
// a fake screen, desktop and hot keys. Message boxes are answered with
// Enter as soon as they open; the trace tells which ones were shown.
struct DesktopShell : ::testing::Test {
    TestApp t;
    TempFolder folder;
    WorkingDirectory cwd { folder.path() };
    platform::FakeDisplay display;
    platform::FakeDesktop desktop;
    platform::FakeHotKeys hot_keys;
    std::string trace_file = folder.path() + "trace.txt";
    TForm1* form = nullptr;

    DesktopShell()
    {
        platform::Display::install(&display);
        platform::Desktop::install(&desktop);
        platform::HotKeys::install(&hot_keys);
        setenv("SPROUT_TRACE", trace_file.c_str(), 1);
        trace::reopen();
        setenv("ALLUSERSPROFILE", folder.make_folder("profile").c_str(), 1);
        t.app.loop().add_timer(10, [this] {
            if (t.open_box())
                t.key(platform::keys::Return);
        });
    }
    ~DesktopShell() override
    {
        if (form)
            t.app.delete_component(form);
        platform::HotKeys::install(nullptr);
        platform::Desktop::install(nullptr);
        platform::Display::install(nullptr);
        unsetenv("SPROUT_TRACE");
        trace::reopen();
    }

    TForm1& create()
    {
        form = &t.app.CreateForm<TForm1>("Form1");
        return *form;
    }
    void destroy() { form->FormDestroy(form); }

    // The fields of every traced event of one kind, one string per event.
    std::vector<std::string> traced(std::string const& kind) const
    {
        std::vector<std::string> found;
        std::ifstream in(trace_file);
        for (std::string line; std::getline(in, line);) {
            auto tab = line.find('\t');
            if (tab == std::string::npos || line.compare(tab + 1, kind.size() + 1, kind + "\t") != 0)
                continue;
            found.push_back(line.substr(tab + kind.size() + 2));
        }
        return found;
    }
};
