#pragma once

// What every walk through the shell under Xvfb needs: a private X server, a
// fresh data folder, the shell started in an install folder with the disk
// audio driver, and a child's pointer and keys.
#include "ClickTargets.h"
#include "XServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

inline std::vector<std::uint8_t> read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

// A child at a screen of its own: the X server, the shell on it, and the
// child's pointer and keys.
struct Child {
    XServer x;
    TempFolder traces; // its own, so two children's shells can share a data folder
    std::unique_ptr<ShellProcess> shell;

    // `data_folder` stands for the all-users profile and the home folder.
    void start_in(std::string const& install_folder, std::string const& data_folder, std::vector<std::string> extra_env = {})
    {
        std::vector<std::string> env { "ALLUSERSPROFILE=" + data_folder, "HOME=" + data_folder, "SDL_AUDIODRIVER=disk",
            "SDL_DISKAUDIOFILE=" + traces.bare_path() + "/audio.raw" };
        env.insert(env.end(), extra_env.begin(), extra_env.end());
        shell = std::make_unique<ShellProcess>(x, install_folder, env, traces.bare_path());
    }
    void click(ClickTarget at) { x.run(click_on(at)); }
    void point(ClickTarget at) { x.run(pointer_to(at)); }
    void type(std::string const& text) { x.run("xdotool type --delay 40 " + text); }
    void key(std::string const& name) { x.run("xdotool key " + name); }
    bool wait(std::string const& text, std::size_t n = 1, int ms = 15000) { return shell->wait_for_count(text, n, ms); }

    // Waits for the activity's window (the report's is "Progress"), the only
    // one on the screen, and ends it with Escape as a child would.
    bool close_activity(std::string const& title = "Activity")
    {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (!x.run("xdotool search --onlyvisible --name '^" + title + "$'").empty()) {
                key("Escape");
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
};

struct ChildWalk : ::testing::Test, Child {
    TempFolder work;

    void start_in(std::string const& install_folder, std::vector<std::string> extra_env = {})
    {
        Child::start_in(install_folder, work.bare_path(), std::move(extra_env));
    }
    std::string register_contents() const
    {
        auto bytes = read_file(work.bare_path() + "/documents/students.dat");
        return { bytes.begin(), bytes.end() };
    }
};
