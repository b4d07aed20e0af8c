#include "framework/TTimer.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

namespace {

struct Form : TForm {
    using TForm::TForm;
};

}

TEST(EventLoop, TimersTickOnTimeWithoutMakingUpForLateTicks)
{
    TestApp t;
    auto& form = t.app.CreateForm<Form>("form");
    auto& timer = form.add<TTimer>("timer");
    std::vector<platform::Millis> ticks;
    timer.SetInterval(100);
    timer.OnTimer = [&](TObject*) { ticks.push_back(t.clock.now()); };
    t.run_for(350);
    EXPECT_EQ(ticks, (std::vector<platform::Millis> { 100, 200, 300 }));
    timer.SetEnabled(false);
    t.run_for(300);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST(EventLoop, AMessageBoxKeepsTimersAndWorkerCallsRunning)
{
    TestApp t;
    auto& form = t.app.CreateForm<Form>("form");
    auto& timer = form.add<TTimer>("timer");
    timer.SetInterval(50);
    int ticks = 0;
    bool worker_call_ran = false;
    t.clock.attach_thread();
    std::thread worker([&] {
        auto pause = t.clock.make_signal();
        pause->wait_until(120);
        t.app.loop().call_and_wait([&] { worker_call_ran = true; });
        t.clock.detach_thread();
    });
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 5)
            t.key(platform::keys::Return);
    };
    int answer = t.app.MessageBox(TMsgDlgType::mtConfirmation, "Remove the tunes?", TMsgDlgButtons::mbYesNo);
    worker.join();
    EXPECT_EQ(answer, mrYes);
    EXPECT_GE(ticks, 5);
    EXPECT_TRUE(worker_call_ran);
}

TEST(EventLoop, AWorkerSeesTheExceptionOfItsCall)
{
    TestApp t;
    t.app.CreateForm<Form>("form");
    t.clock.attach_thread();
    std::string seen;
    bool finished = false;
    std::thread worker([&] {
        try {
            t.app.loop().call_and_wait([] { throw std::runtime_error("tick failed"); });
        } catch (std::exception const& e) {
            seen = e.what();
        }
        finished = true;
        t.app.loop().wake();
        t.clock.detach_thread();
    });
    t.app.loop().serve_calls_until([&] { return finished; });
    worker.join();
    EXPECT_EQ(seen, "tick failed");
}

TEST(EventLoop, AnExceptionInAHandlerBecomesAnErrorBoxAndTheNextEventRuns)
{
    TestApp t;
    auto& form = t.app.CreateForm<Form>("form");
    t.app.SetTitle("Pipkin ! Sprout");
    auto& timer = form.add<TTimer>("timer");
    timer.SetInterval(100);
    int ticks = 0;
    std::string caption;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks == 1)
            throw std::runtime_error("Cannot open file");
        if (ticks == 2) {
            // Inside the error box's own loop.
            if (TForm* box = t.open_box())
                caption = box->Caption();
            t.key(platform::keys::Escape);
        }
    };
    t.run_until([&] { return ticks >= 3; });
    EXPECT_EQ(caption, "Pipkin ! Sprout");
    EXPECT_GE(ticks, 3);
}

TEST(EventLoop, MessageBoxAnswersToItsKeys)
{
    TestApp t;
    t.app.CreateForm<Form>("form");
    auto ask = [&](int key) {
        t.key(key);
        return t.app.MessageBox(TMsgDlgType::mtConfirmation, "?", TMsgDlgButtons::mbYesNo);
    };
    EXPECT_EQ(ask('n'), mrNo);
    EXPECT_EQ(ask('y'), mrYes);
    EXPECT_EQ(ask(platform::keys::Escape), mrNo);
    t.key(platform::keys::Return);
    EXPECT_EQ(t.app.MessageBox(TMsgDlgType::mtWarning, "Missing", TMsgDlgButtons::mbOK), mrOk);
}

TEST(EventLoop, ClickingTheOkButtonClosesTheBox)
{
    TestApp t;
    t.app.CreateForm<Form>("form");
    auto& timer = t.app.MainForm()->add<TTimer>("timer");
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        TForm* box = t.open_box();
        ASSERT_NE(box, nullptr);
        auto* ok = box->find<TControl>("OK");
        ASSERT_NE(ok, nullptr);
        int x = ok->screen_left() + 5, y = ok->screen_top() + 5;
        t.move(x, y);
        t.press(x, y);
        t.release(x, y);
    };
    EXPECT_EQ(t.app.MessageBox(TMsgDlgType::mtInformation, "Hello", TMsgDlgButtons::mbOK), mrOk);
}

TEST(EventLoop, LongMessagesWrapInsideTheWindow)
{
    TestApp t;
    t.app.CreateForm<Form>("form");
    auto& timer = t.app.MainForm()->add<TTimer>("timer");
    timer.SetInterval(10);
    int width = 0, height = 0;
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        if (TForm* box = t.open_box()) {
            width = box->Width();
            height = box->Height();
        }
        t.key(platform::keys::Return);
    };
    std::string text(40, 'w');
    for (int i = 0; i < 6; ++i)
        text += " " + std::string(30, 'w');
    t.app.MessageBox(TMsgDlgType::mtInformation, text, TMsgDlgButtons::mbOK);
    EXPECT_GT(width, 0);
    EXPECT_LE(width, 790);
    EXPECT_GT(height, 13 * 3) << "the text took several lines";
}

TEST(EventLoop, ACloseAskedForWhileTheMainFormIsMadeIsNotLost)
{
    // A form whose making handles pending input, as the mascot's first frame does.
    struct Busy : TForm {
        explicit Busy(TComponent* owner) : TForm(owner) { Application->ProcessMessages(); }
    };
    TestApp t;
    platform::InputEvent close;
    close.kind = platform::InputEvent::Kind::Close;
    t.window.push(close);
    auto& form = t.app.CreateForm<Busy>("form");
    bool activated = false, destroyed = false;
    form.OnActivate = [&](TObject*) { activated = true; };
    form.OnDestroy = [&](TObject*) { destroyed = true; };
    // Ends a run that lost the close, so the failure shows instead of hanging.
    auto& watchdog = form.add<TTimer>("watchdog");
    watchdog.OnTimer = [&](TObject*) { t.app.Terminate(); };
    t.app.Run();
    EXPECT_TRUE(form.closed());
    EXPECT_FALSE(activated);
    EXPECT_TRUE(destroyed);
}

TEST(EventLoop, AModalFormClosedByItsTimerEndsItsLoopAtOnce)
{
    TestApp t;
    auto& main = t.app.CreateForm<Form>("form");
    auto& other = main.add<TTimer>("other");
    other.SetInterval(1000);
    auto& modal = t.app.add<Form>("modal");
    auto& closer = modal.add<TTimer>("closer");
    closer.SetInterval(100);
    closer.OnTimer = [&](TObject*) { modal.Close(); };
    modal.ShowModal();
    EXPECT_EQ(t.now(), 100) << "not at the next tick of another timer";
    EXPECT_FALSE(modal.Visible());
}
