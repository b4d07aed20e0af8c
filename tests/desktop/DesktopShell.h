#pragma once

#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDisplay.h"
#include "platform/fake/FakeHotKeys.h"
#include "shell/TForm1.h"
#include "support/ScopedTrace.h"
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
    platform::Display::Installed display_installed { display };
    platform::Desktop::Installed desktop_installed { desktop };
    platform::HotKeys::Installed hot_keys_installed { hot_keys };
    ScopedTrace trace { folder.path() + "trace.txt" };
    TForm1* form = nullptr;

    DesktopShell()
    {
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
        std::ifstream in(trace.path());
        for (std::string line; std::getline(in, line);) {
            auto tab = line.find('\t');
            if (tab == std::string::npos || line.compare(tab + 1, kind.size() + 1, kind + "\t") != 0)
                continue;
            found.push_back(line.substr(tab + kind.size() + 2));
        }
        return found;
    }
};
