#include "framework/TEdit.h"
#include "framework/TImage.h"
#include "framework/TListBox.h"
#include "framework/TPanel.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Two boxes and a picture on a form; every OnEnter and click is logged.
struct Focus : ::testing::Test {
    TestApp t;
    TForm& form { t.app.CreateForm<TForm>("form") };
    std::vector<std::string> log;
    TEdit& edit { place<TEdit>("nameedit", 400, 0) };
    TListBox& list { place<TListBox>("namelist", 0, 0) };
    TImage& picture { place<TImage>("picture", 0, 300) };

    template<class T>
    T& place(char const* name, int x, int y)
    {
        auto& c = form.add<T>(name);
        c.SetParent(&form);
        c.SetBounds(x, y, 200, 100);
        c.OnEnter = [this, name](TObject*) { log.push_back(std::string("enter ") + name); };
        c.OnMouseDown = [this, name](TObject*, TMouseButton, TShiftState, int, int) {
            log.push_back(std::string("down ") + name);
        };
        return c;
    }
    void click(int x, int y)
    {
        t.press(x, y);
        t.release(x, y);
        t.settle();
    }
};

}

TEST_F(Focus, SetFocusRunsOnEnterOnceAndOnlyForANewFocus)
{
    edit.SetFocus();
    edit.SetFocus();
    EXPECT_EQ(log, (std::vector<std::string> { "enter nameedit" }));
    EXPECT_TRUE(edit.Focused());
    EXPECT_EQ(form.ActiveControl(), &edit);
    list.SetFocus();
    EXPECT_FALSE(edit.Focused());
    EXPECT_EQ(log.back(), "enter namelist");
}

TEST_F(Focus, OnlyShowingBoxesTakeTheFocus)
{
    picture.SetFocus();
    EXPECT_EQ(form.ActiveControl(), nullptr);
    form.SetActiveControl(&picture);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    edit.Hide();
    edit.SetFocus();
    EXPECT_EQ(form.ActiveControl(), nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(Focus, APressOnABoxFocusesItBeforeItHearsThePress)
{
    click(450, 50);
    EXPECT_EQ(log, (std::vector<std::string> { "enter nameedit", "down nameedit" }));
    click(50, 350);
    EXPECT_TRUE(edit.Focused()) << "a picture takes no focus";
    click(450, 50);
    EXPECT_EQ(log.back(), "down nameedit");
    EXPECT_EQ(std::count(log.begin(), log.end(), "enter nameedit"), 1);
}

TEST_F(Focus, KeysReachTheFocusedBoxOnly)
{
    list.AddItem("anna");
    edit.SetFocus();
    t.type("Bea");
    t.key(platform::keys::Down);
    t.settle();
    EXPECT_EQ(edit.Text(), "bea");
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetFocus();
    t.type("x");
    t.key(platform::keys::Down);
    t.settle();
    EXPECT_EQ(edit.Text(), "bea");
    EXPECT_EQ(list.ItemIndex(), 0);
}

TEST_F(Focus, HidingAParentOfTheFocusedBoxGivesTheKeysBackToTheForm)
{
    auto& panel = form.add<TPanel>("panel");
    panel.SetParent(&form);
    panel.SetBounds(0, 450, 300, 100);
    auto& inner = panel.add<TEdit>("inner");
    inner.SetParent(&panel);
    int entered = 0;
    inner.OnEnter = [&](TObject*) { ++entered; };
    inner.SetFocus();
    panel.Hide();
    EXPECT_EQ(form.ActiveControl(), nullptr);
    t.type("z");
    t.settle();
    EXPECT_EQ(inner.Text(), "");
    // Coming back is a new focus, so the box is entered again (the name
    // screen relies on that when a language is chosen a second time).
    panel.Show();
    inner.SetFocus();
    EXPECT_EQ(entered, 2);
    EXPECT_TRUE(inner.Focused());
}
