#include "framework/TEdit.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

using platform::rgb;
namespace keys = platform::keys;

constexpr int left = 454, top = 282;
// The fake renderer's characters are half the font height wide.
constexpr int char_width = 17;

// The name box as the name screen has it.
struct Edit : ::testing::Test {
    TestApp t;
    TForm& form { t.app.CreateForm<TForm>("form") };
    TEdit& edit { make_edit() };

    TEdit& make_edit()
    {
        auto& e = form.add<TEdit>("nameedit");
        e.SetParent(&form);
        e.SetBounds(left, top, 293, 41);
        e.SetFont({ "ZEDO Primary", 35, false });
        e.SetFocus();
        return e;
    }
    std::string typed(std::string text)
    {
        t.type(std::move(text));
        t.settle();
        return edit.Text();
    }
    void keys_(std::initializer_list<int> ks)
    {
        for (int k : ks)
            t.key(k);
        t.settle();
    }
    bool caret_drawn()
    {
        t.settle();
        return t.window.last_frame().at(left + edit.caret_left(), top + 20) == rgb(0, 0, 0);
    }
};

}

TEST_F(Edit, TypedLettersAreTurnedToLowerCase)
{
    EXPECT_EQ(typed("Anna"), "anna");
    edit.SetText("");
    EXPECT_EQ(typed("ÉMILE"), "émile");
    edit.SetText("");
    EXPECT_EQ(typed("ŠTEFAN ÿ"), "štefan ÿ");
}

TEST_F(Edit, ACharacterTheCodePageCannotHoldIsRefusedAndTheRestKept)
{
    EXPECT_EQ(typed("Jo😀hn"), "john");
    EXPECT_EQ(typed("Ω\t€"), "john€");
    EXPECT_EQ(edit.caret(), edit.Text().size());
}

TEST_F(Edit, EditingKeysWorkOnWholeCharacters)
{
    edit.SetText("zoë");
    keys_({ keys::Backspace });
    EXPECT_EQ(edit.Text(), "zo") << "the two bytes of ë go together";
    edit.SetText("aéb");
    keys_({ keys::Left, keys::Backspace });
    EXPECT_EQ(edit.Text(), "ab");
    edit.SetText("éa");
    keys_({ keys::Home, keys::Delete });
    EXPECT_EQ(edit.Text(), "a");
    keys_({ keys::End, keys::Right, keys::Delete, keys::Home, keys::Backspace, keys::Left });
    EXPECT_EQ(edit.Text(), "a") << "nothing happens past either end";
    keys_({ keys::Right });
    EXPECT_EQ(typed("N"), "an");
}

TEST_F(Edit, TheCaretBlinksOnTheLoopClock)
{
    typed("ben");
    EXPECT_TRUE(caret_drawn());
    t.run_for(530);
    EXPECT_FALSE(caret_drawn());
    t.run_for(530);
    EXPECT_TRUE(caret_drawn());
    t.run_for(530);
    typed("s");
    EXPECT_TRUE(caret_drawn()) << "typing shows the caret at once";
}

TEST_F(Edit, NoBlinkTimerRunsWhileTheBoxIsHiddenOrUnfocused)
{
    auto& loop = t.app.loop();
    std::size_t armed = loop.timer_count();
    edit.Hide();
    EXPECT_EQ(loop.timer_count(), armed - 1);
    EXPECT_FALSE(edit.Focused()) << "a hidden box gives the focus back to the form";
    edit.Show();
    EXPECT_EQ(loop.timer_count(), armed - 1);
    typed("x");
    EXPECT_EQ(loop.timer_count(), armed - 1) << "typing reaches the form, not the box";
    EXPECT_EQ(edit.Text(), "");
    edit.SetFocus();
    EXPECT_EQ(loop.timer_count(), armed);
    form.SetActiveControl(nullptr);
    EXPECT_EQ(loop.timer_count(), armed - 1);
    EXPECT_FALSE(caret_drawn());
}

TEST_F(Edit, LongTextScrollsSoTheCaretStaysInTheBox)
{
    typed(std::string(30, 'm'));
    ASSERT_GT(30 * char_width, edit.Width());
    auto inside = [&] { return edit.caret_left() >= 0 && edit.caret_left() + 2 <= edit.Width(); };
    EXPECT_TRUE(inside());
    EXPECT_TRUE(caret_drawn());
    EXPECT_EQ(t.window.last_frame().at(left + edit.caret_left() - 5, top + 20), rgb(0, 0, 0))
        << "the last character is shown left of the caret";
    keys_({ keys::Home });
    EXPECT_EQ(edit.caret_left(), 2);
    EXPECT_EQ(t.window.last_frame().at(left + 5, top + 20), rgb(0, 0, 0)) << "the first character is back";
    keys_({ keys::End });
    for (int i = 0; i < 25; ++i)
        t.key(keys::Backspace);
    t.settle();
    EXPECT_EQ(edit.caret_left(), 2 + 5 * char_width) << "short text again sits at the left";
}

TEST_F(Edit, APressPutsTheCaretAtTheNearestCharacterBoundary)
{
    edit.SetText("anna");
    form.SetActiveControl(nullptr);
    t.press(left + 2 + char_width * 2 - 3, top + 20);
    t.release(left + 2 + char_width * 2 - 3, top + 20);
    t.settle();
    EXPECT_TRUE(edit.Focused());
    EXPECT_EQ(edit.caret(), 2u);
}
