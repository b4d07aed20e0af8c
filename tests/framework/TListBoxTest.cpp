#include "framework/TListBox.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

using platform::rgb;

constexpr int left = 121, top = 303;

// The name list as the name screen has it: 265 x 209, rows of 40, so five
// whole rows and the top of a sixth.
struct ListBox : ::testing::Test {
    TestApp t;
    TForm& form { t.app.CreateForm<TForm>("form") };
    TListBox& list { make_list() };
    int clicks { 0 };

    TListBox& make_list()
    {
        auto& l = form.add<TListBox>("namelist");
        l.SetParent(&form);
        l.SetBounds(left, top, 265, 209);
        l.SetItemHeight(40);
        l.SetFont({ "ZEDO Primary", 35, true });
        l.OnClick = [this](TObject*) { ++clicks; };
        return l;
    }
    void fill(int n)
    {
        for (int i = 0; i < n; ++i)
            list.AddItem(std::string(1, char('a' + i)));
    }
    // A click in the middle of row `row` of the list.
    void click_row(int row, int x = 100)
    {
        t.press(left + x, top + row * 40 + 20);
        t.release(left + x, top + row * 40 + 20);
        t.settle();
    }
    std::uint32_t pixel(int x, int y) { return t.window.last_frame().at(left + x, top + y); }
};

}

TEST_F(ListBox, ItemsGoInSortedAndEqualOnesKeepTheirOrder)
{
    for (char const* name : { "zoë", "Anna", "émile", "bea", "anna", "emile" })
        list.AddItem(name);
    EXPECT_EQ(list.Items(), (std::vector<std::string> { "Anna", "anna", "bea", "emile", "émile", "zoë" }));
    list.SetItemIndex(2);
    list.AddItem("adri");
    EXPECT_EQ(list.Items()[std::size_t(list.ItemIndex())], "bea") << "the selection stays on its item";
}

TEST_F(ListBox, ClearEmptiesDeselectsAndScrollsToTheTop)
{
    fill(8);
    list.SetItemIndex(7);
    ASSERT_EQ(list.TopIndex(), 3);
    list.Clear();
    EXPECT_TRUE(list.Items().empty());
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(list.TopIndex(), 0);
}

TEST_F(ListBox, AClickSelectsTheRowUnderThePointerAndNotifiesOnce)
{
    fill(3);
    click_row(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(list.Focused());
    // Selected row: navy with white text; the others black on white. The fake
    // renderer draws each character as a box of the text colour.
    EXPECT_EQ(pixel(250, 60), rgb(0, 0, 128));
    EXPECT_EQ(pixel(8, 40 + 12), rgb(255, 255, 255));
    EXPECT_EQ(pixel(8, 12), rgb(0, 0, 0));
    EXPECT_EQ(pixel(250, 20), rgb(255, 255, 255));
}

TEST_F(ListBox, AClickBelowTheLastItemChangesNothing)
{
    fill(2);
    click_row(3);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(0);
    click_row(2);
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ListBox, TheSelectionFollowsAHeldButtonAndTheReleaseNotifies)
{
    fill(4);
    t.press(left + 50, top + 10);
    t.move(left + 50, top + 100);
    t.settle();
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks, 0);
    t.release(left + 50, top + 100);
    t.settle();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ListBox, TheWheelScrollsWholeItemsWithinTheList)
{
    fill(8);
    t.move(left + 50, top + 50);
    t.wheel(-1);
    t.settle();
    EXPECT_EQ(list.TopIndex(), 3) << "three a notch, but the last item stays at the bottom row";
    t.wheel(-1);
    t.settle();
    EXPECT_EQ(list.TopIndex(), 3);
    t.wheel(2);
    t.settle();
    EXPECT_EQ(list.TopIndex(), 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(ListBox, AListThatFitsLeavesTheWheelToItsParent)
{
    fill(5);
    EXPECT_FALSE(list.mouse_wheel(-1, {}));
    EXPECT_EQ(list.TopIndex(), 0);
}

TEST_F(ListBox, ThePartialLastRowShowsTheTopOfTheNextItemClipped)
{
    fill(7);
    form.SetColor(rgb(9, 9, 9));
    t.settle();
    EXPECT_EQ(pixel(8, 200 + 6), rgb(0, 0, 0)) << "item six begins in the partial row";
    EXPECT_EQ(pixel(8, 209), rgb(9, 9, 9)) << "and is cut at the list's bottom";
}

TEST_F(ListBox, ArrowKeysMoveTheSelectionIntoViewAndStopAtTheEnds)
{
    fill(8);
    list.SetFocus();
    t.key(platform::keys::Up);
    t.settle();
    EXPECT_EQ(list.ItemIndex(), 0) << "with nothing selected the first item is taken";
    EXPECT_EQ(clicks, 1);
    t.key(platform::keys::Up);
    t.settle();
    EXPECT_EQ(clicks, 1) << "no move at the top, no notification";
    for (int i = 0; i < 8; ++i)
        t.key(platform::keys::Down);
    t.settle();
    EXPECT_EQ(list.ItemIndex(), 7);
    EXPECT_EQ(clicks, 8);
    EXPECT_EQ(list.TopIndex(), 3);
    t.key(platform::keys::Home);
    t.settle();
    EXPECT_EQ(list.TopIndex(), 0);
}

TEST_F(ListBox, AnUnfocusedListHearsNoKeys)
{
    fill(3);
    t.key(platform::keys::Down);
    t.settle();
    EXPECT_EQ(list.ItemIndex(), -1);
}
