#include "services/TStarter.h"

#include "framework/TApplication.h"
#include "platform/CommandLine.h"
#include "platform/Environment.h"
#include "platform/RealClock.h"
#include "platform/fc/ProgramFonts.h"
#include "platform/fake/FakeTextRenderer.h"
#include "platform/fake/FakeWindow.h"
#include "support/ProbeReport.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool process_gone(std::string const& pid)
{
    return ::kill(std::stoi(pid), 0) == -1 && errno == ESRCH;
}

// Real processes need real time: the application runs on the real clock.
struct StarterTest : ::testing::Test {
    platform::RealClock clock;
    platform::FakeWindow window { clock };
    platform::FakeTextRenderer text;
    TApplication app { window, clock, text };
    TempFolder temp;
    std::string report_path { temp.path() + "report" };
    std::vector<std::string> events;

    StarterTest()
    {
        ::setenv("SPROUT_PROBE_OUT", report_path.c_str(), 1);
        ::unsetenv("SPROUT_PROBE_SLEEP_MS");
    }

    TStarter& starter(std::string const& name, std::string const& command = STARTER_PROBE)
    {
        auto& s = app.add<TStarter>(name);
        s.SetCommand(command);
        s.OnBeforeStart = [this, &s](TObject* sender) { note(name_of(s) + " before", sender, &s); };
        s.OnError = [this, &s](TObject* sender) { note(name_of(s) + " error", sender, nullptr); };
        s.OnAfterStart = [this, &s](TObject* sender) { note(name_of(s) + " after", sender, &s); };
        s.OnFinished = [this, &s](TObject* sender) { note(name_of(s) + " finished", sender, &s); };
        return s;
    }

    static std::string name_of(TStarter const& s) { return s.Name(); }

    void note(std::string event, TObject* sender, TObject* expected)
    {
        EXPECT_EQ(sender, expected) << event;
        events.push_back(std::move(event));
    }

    // Runs the loop until `done` holds or `ms` have passed; true when done.
    bool run_until(std::function<bool()> const& done, platform::Millis ms = 5000)
    {
        auto deadline = clock.now() + ms;
        auto watchdog = app.loop().add_timer(20, [] { });
        app.loop().run_until([&] { return done() || clock.now() >= deadline; });
        app.loop().remove_timer(watchdog);
        return done();
    }

    void run_for(platform::Millis ms)
    {
        run_until([] { return false; }, ms);
    }

    bool has(std::string const& event) const
    {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    ProbeReport started_report()
    {
        EXPECT_TRUE(run_until([&] { return ProbeReport::read(report_path).has_value(); }));
        return ProbeReport::read(report_path).value_or(ProbeReport {});
    }
};

}

TEST_F(StarterTest, AProgramThatEndsAtOnceIsReportedByTheFirstFinishCheck)
{
    auto& s = starter("a");
    auto started = clock.now();
    s.Start();
    EXPECT_EQ(events, (std::vector<std::string> { "a before", "a after" }));
    ASSERT_TRUE(run_until([&] { return has("a finished"); }, 3000));
    auto took = clock.now() - started;
    EXPECT_GE(took, 450);
    EXPECT_LE(took, 1200);
    run_for(700);
    EXPECT_EQ(events, (std::vector<std::string> { "a before", "a after", "a finished" }));
    EXPECT_FALSE(s.watching());
    EXPECT_TRUE(process_gone(started_report().pid)) << "the ended child must be reaped";
}

TEST_F(StarterTest, RefusedStartsReportTheErrorThenTheEndOfStartAndNothingLater)
{
    std::string text_file = temp.write("notes.exe", "just words\n");
    std::string no_interpreter = temp.write("script.exe", "#!/nowhere/shell\n");
    ::chmod(text_file.c_str(), 0755);
    ::chmod(no_interpreter.c_str(), 0755);
    std::string not_executable = temp.write("plain.exe", "\x7f" "ELF");

    struct Case {
        std::string command;
        TStarterOperation operation;
        std::string folder;
        int code;
    } const cases[] {
        { temp.path() + "missing.exe", TStarterOperation::smOpen, "", 2 },
        { no_interpreter, TStarterOperation::smOpen, "", 2 },
        { STARTER_PROBE, TStarterOperation::smOpen, temp.path() + "no/such/folder", 3 },
        { not_executable, TStarterOperation::smOpen, "", 5 },
        { text_file, TStarterOperation::smOpen, "", 31 },
        { STARTER_PROBE, TStarterOperation::smPrint, "", 31 },
    };
    for (auto const& c : cases) {
        events.clear();
        auto& s = starter("r");
        s.SetCommand(c.command);
        s.SetDefaultDir(c.folder);
        s.StartOperation = c.operation;
        s.Start();
        EXPECT_EQ(events, (std::vector<std::string> { "r before", "r error", "r after" })) << c.command;
        EXPECT_EQ(s.error_code(), c.code) << c.command;
        EXPECT_FALSE(s.watching());
        app.delete_component(&s);
    }
    run_for(700);
    EXPECT_FALSE(has("r finished"));
    EXPECT_FALSE(std::filesystem::exists(report_path)) << "print must not run the program";
}

TEST_F(StarterTest, TwoStartersReportOnlyTheirOwnEnds)
{
    auto& quick = starter("quick");
    auto& slow = starter("slow");
    quick.Start();
    ::setenv("SPROUT_PROBE_SLEEP_MS", "1500", 1);
    slow.Start();
    ASSERT_TRUE(run_until([&] { return has("quick finished"); }));
    EXPECT_FALSE(has("slow finished"));
    EXPECT_TRUE(slow.watching());
    ASSERT_TRUE(run_until([&] { return has("slow finished"); }));
    EXPECT_EQ(std::count(events.begin(), events.end(), "quick finished"), 1);
}

TEST_F(StarterTest, ArgumentsArriveExactlyInTheWorkingFolderAsked)
{
    auto& s = starter("a");
    // Found without regard to case, like every file of the shell.
    auto upper = temp.path() + "Activities/";
    std::filesystem::create_directories(upper);
    std::filesystem::copy_file(STARTER_PROBE, upper + "Probe.EXE");
    s.SetCommand(temp.path() + "activities/probe.exe");
    s.SetDefaultDir(temp.path() + "ACTIVITIES");

    std::string const name = "an na #1 $(rm -rf x); `ls` \xc3\xabl\xc3\xa9 'q'";
    s.SetParameters("\"*" + temp.path() + "#\" \"*" + name + "#\" \"*#\" \"*#\" \"*TRUE#\" \"*AFR#\" \"*/data/#\"");
    s.Start();
    auto report = started_report();
    EXPECT_EQ(report.arguments,
        (std::vector<std::string> { "*" + temp.path() + "#", "*" + name + "#", "*#", "*#", "*TRUE#", "*AFR#", "*/data/#" }));
    EXPECT_EQ(report.folder + "/", upper);
    ASSERT_TRUE(run_until([&] { return has("a finished"); }));

    std::vector<std::string> quoted { "say \"hi\"", "back\\slash\\", "", "tab\there", "#;$()" };
    std::filesystem::remove(report_path);
    s.SetParameters(platform::command_line::join(quoted));
    s.Start();
    EXPECT_EQ(started_report().arguments, quoted);
}

TEST_F(StarterTest, TheChildGetsNoDescriptorOfOursAndCleanSignals)
{
    // A descriptor opened carelessly, without close-on-exec.
    std::string marker = temp.write("marker");
    int careless = ::open(marker.c_str(), O_RDONLY);
    ASSERT_GE(careless, 0);
    sigset_t term, old_mask;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &term, &old_mask);
    auto old_handler = std::signal(SIGUSR1, SIG_IGN);

    starter("a").Start();
    auto report = started_report();

    pthread_sigmask(SIG_SETMASK, &old_mask, nullptr);
    std::signal(SIGUSR1, old_handler);
    ::close(careless);
    EXPECT_EQ(report.descriptors.find(marker), std::string::npos) << report.descriptors;
    // The C library keeps its own two real-time signals ignored; the
    // standard ones must all be fresh.
    auto standard = [](std::string const& mask) { return std::stoull(mask.empty() ? "f" : mask, nullptr, 16) & 0x7fffffffULL; };
    EXPECT_EQ(standard(report.blocked), 0u) << report.blocked;
    EXPECT_EQ(standard(report.ignored), 0u) << report.ignored;
}

TEST_F(StarterTest, WaitBlocksUntilTheProgramHasEnded)
{
    auto& s = starter("w");
    s.Wait = true;
    ::setenv("SPROUT_PROBE_SLEEP_MS", "400", 1);
    auto started = clock.now();
    s.Start();
    EXPECT_GE(clock.now() - started, 400);
    EXPECT_EQ(events, (std::vector<std::string> { "w before", "w after" }));
    EXPECT_TRUE(run_until([&] { return has("w finished"); }, 1500));
}

TEST_F(StarterTest, AProgramStartedWhileAFontIsSharedFindsItsFaceInAnEnvironmentOtherwiseUnchanged)
{
    std::string font = temp.path() + "ZEDO Pri.TTF";
    ASSERT_EQ(std::system(("/usr/bin/python3 " SPROUT_MAKE_FONT " " SPROUT_FONT_SOURCE " " SPROUT_FONT_LICENCE " '" + font
                              + "' '" + temp.path() + "licence.txt' 'ZEDO Primary' ZEDOPrimary-Regular")
                              .c_str()),
        0);
    std::string answer = temp.path() + "answer";
    std::string program = temp.write("match",
        "#!/bin/sh\nfor face in 'ZEDO Primary' Andika; do fc-match -f '%{family}|' \"$face\"; done > \"$1\"\n"
        "printf %s \"$SPROUT_PROBE_OUT\" >> \"$1\"\n");
    ::chmod(program.c_str(), 0755);
    auto& s = app.add<TStarter>("fonts");
    s.SetCommand(program);
    s.SetParameters(answer);
    s.Wait = true;
    auto match = [&] {
        s.Start();
        std::ifstream in(answer);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    auto shared_configuration = [] {
        for (auto const& entry : platform::environment::programs_environment())
            if (entry.rfind("FONTCONFIG_FILE=", 0) == 0)
                return entry.substr(entry.find('=') + 1);
        return std::string();
    };

    ASSERT_EQ(match().find("ZEDO"), std::string::npos) << "not installed for everybody";
    platform::fc::ProgramFonts shared;
    ASSERT_TRUE(shared.add(font));
    EXPECT_EQ(match(), "ZEDO Primary|Andika|" + report_path) << "the installed fonts stay";
    std::string configuration = shared_configuration();
    EXPECT_TRUE(std::filesystem::exists(configuration));

    shared.remove(font);
    EXPECT_EQ(match().find("ZEDO"), std::string::npos);
    EXPECT_EQ(shared_configuration(), "");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(configuration).parent_path()))
        << "nothing of the run is left, the programs' font caches included";
}

TEST_F(StarterTest, AnUnwatchedProgramIsReapedAndDestructionLeavesNoPoolItem)
{
    auto before = TimerPool::instance().size();
    auto& s = starter("u");
    s.OnFinished = nullptr;
    ::setenv("SPROUT_PROBE_SLEEP_MS", "200", 1);
    s.Start();
    EXPECT_FALSE(s.watching());
    auto pid = started_report().pid;
    EXPECT_TRUE(run_until([&] { return process_gone(pid); }, 3000));

    auto& watched = starter("v");
    ::setenv("SPROUT_PROBE_SLEEP_MS", "300", 1);
    watched.Start();
    EXPECT_EQ(TimerPool::instance().size(), before + 3);
    app.delete_component(&watched);
    app.delete_component(&s);
    EXPECT_EQ(TimerPool::instance().size(), before);
}

TEST_F(StarterTest, TheTimedStartFiresAtItsSecond)
{
    auto& s = starter("t");
    auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm {};
    localtime_r(&t, &tm);
    using namespace std::chrono;
    s.StartTime = local_days { year { tm.tm_year + 1900 } / (tm.tm_mon + 1) / tm.tm_mday }
        + hours { tm.tm_hour } + minutes { tm.tm_min } + seconds { tm.tm_sec + 2 };
    s.SetAutoStart(true);
    ASSERT_TRUE(run_until([&] { return has("t after"); }, 4000));
    EXPECT_TRUE(run_until([&] { return has("t finished"); }, 2000));
    run_for(1100);
    EXPECT_EQ(std::count(events.begin(), events.end(), "t after"), 1);
}

// "wine" and "xdg-open" stand-ins on a PATH of the test's own: the probe
// under those names reports what the starter handed them.
TEST_F(StarterTest, OldPlatformProgramsGoThroughWineAndExploreOpensTheFolder)
{
    std::string bin = temp.make_folder("bin");
    for (char const* name : { "wine", "xdg-open" })
        std::filesystem::copy_file(STARTER_PROBE, bin + "/" + name);
    struct RestorePath {
        std::string old { std::getenv("PATH") ? std::getenv("PATH") : "" };
        ~RestorePath() { ::setenv("PATH", old.c_str(), 1); }
    } restore;
    ::setenv("PATH", bin.c_str(), 1);

    std::string old_program = temp.write("Games/Old.exe", "MZ\x90");
    auto& s = starter("a", temp.path() + "games/old.exe");
    s.SetParameters("\"*x y#\" z");
    s.Start();
    EXPECT_EQ(started_report().arguments, (std::vector<std::string> { old_program, "*x y#", "z" }));
    ASSERT_TRUE(run_until([&] { return has("a finished"); }));

    std::filesystem::remove(report_path);
    s.StartOperation = TStarterOperation::smExplore;
    s.Start();
    EXPECT_EQ(started_report().arguments, (std::vector<std::string> { temp.path() + "Games/" }));
}
