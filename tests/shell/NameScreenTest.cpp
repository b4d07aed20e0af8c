#include "shell/MainWindow.h"
#include "shell/NameList.h"

#include "activities/StudentRegister.h"
#include "framework/TEdit.h"
#include "framework/TListBox.h"

namespace {

// The name screen in English, reached from the language screen.
struct NameScreen : MainWindow {
    NameScreen()
    {
        furnish();
        activate();
        EXPECT_TRUE(run_until([&] { return form.engbut.Visible(); }));
        click(form.engbut);
    }
    void type(std::string const& utf8)
    {
        platform::InputEvent e;
        e.kind = platform::InputEvent::Kind::TextInput;
        e.text = utf8;
        t.window.push(e);
        t.settle();
    }
    std::vector<StudentRecord> records()
    {
        StudentSlots slots;
        ReadStudents(form.datafolder, slots);
        std::vector<StudentRecord> used;
        for (auto const& s : slots)
            if (s.number() != 0)
                used.push_back(s);
        return used;
    }
};

}

TEST(NameList, ListsNumberedNamedSlotsLowerCased)
{
    StudentSlots slots;
    slots[0] = StudentRecord::make_new(1, "Anna", "", "", 11, 1);
    slots[1] = StudentRecord::make_new(0, "nobody", "", "", 11, 1);
    slots[2] = StudentRecord::make_new(3, "", "", "", 11, 1);
    slots[3] = StudentRecord::make_new(4, "\xC9MILE", "", "", 11, 1); // Windows-1252 É
    EXPECT_EQ(listed_names(slots), (std::vector<std::string> { "anna", "émile" }));
}

TEST_F(NameScreen, ANameTypedWithCapitalsIsRegisteredInLowerCaseAndOpensTheMenu)
{
    EXPECT_TRUE(form.nameedit.Focused());
    type("Anna");
    EXPECT_EQ(form.nameedit.Text(), "anna");
    click(form.okbut);

    EXPECT_TRUE(form.menuactive);
    EXPECT_EQ(form.studentname, "anna");
    EXPECT_EQ(form.studentindex, 1);
    auto stored = records();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].name(), "anna");
    EXPECT_EQ(traced_files("effect").back(), "language.wav");
    EXPECT_EQ(traced_files("background").back(), "m_14e.jpg");
    for (TControl* c : std::initializer_list<TControl*> { &form.Image1, &form.Image6, &form.backbut, &form.reportbut, &form.exitbut })
        EXPECT_TRUE(c->Visible()) << c->Name();
    for (TControl* c : std::initializer_list<TControl*> { &form.nameedit, &form.okbut, &form.listbut })
        EXPECT_FALSE(c->Visible()) << c->Name();
    EXPECT_TRUE(form.instructionplaying);
    let_voice_end();
    EXPECT_EQ(traced_files("voice").back(), "a_2.wav");
    EXPECT_TRUE(form.instructiongiven);
    EXPECT_FALSE(form.instructionplaying);

    // The same name again is found, not added.
    form.menuactive = true;
    click(form.backbut);
    click(form.engbut);
    EXPECT_EQ(form.nameedit.Text(), "anna"); // kept from the first round
    click(form.okbut);
    EXPECT_EQ(records().size(), 1u);
    EXPECT_EQ(form.studentindex, 1);
}

TEST_F(NameScreen, AnEmptyNameDoesNothingButBlanksAreAName)
{
    std::size_t lines = traced().size();
    click(form.okbut);
    EXPECT_FALSE(form.menuactive);
    EXPECT_TRUE(form.okbut.Visible());
    auto after = traced();
    for (std::size_t i = lines; i < after.size(); ++i)
        EXPECT_TRUE(after[i].name == "hover" || after[i].name == "click") << after[i].name;

    type("   ");
    click(form.okbut);
    EXPECT_TRUE(form.menuactive);
    EXPECT_EQ(records().at(0).name(), "   ");
}

// The register keeps 35 characters of a name; a longer one is still found
// by what it keeps, so it is added once, and the shell carries it whole.
TEST_F(NameScreen, ALongNameIsAddedOnceButTravelsWhole)
{
    std::string name(40, 'z');
    for (int round = 1; round <= 2; ++round) {
        form.nameedit.SetText(name);
        click(form.okbut);
        EXPECT_EQ(form.studentname, name);
        EXPECT_EQ(form.studentindex, 1);
        form.menuactive = true;
        click(form.backbut);
        click(form.engbut);
    }
    ASSERT_EQ(records().size(), 1u);
    EXPECT_EQ(records()[0].name(), std::string(35, 'z'));
}

TEST_F(NameScreen, TheListIsReadAfreshEachTimeAndAPickFillsTheBox)
{
    ASSERT_NE(AddStudent(11, 1, "piet", "", "", form.datafolder), no_student);
    click(form.listbut);
    EXPECT_TRUE(form.namelist.Visible());
    EXPECT_TRUE(form.namelistimg_e.Visible());
    EXPECT_FALSE(form.namelistimg_a.Visible());
    EXPECT_EQ(form.namelist.Items(), (std::vector<std::string> { "piet" }));
    click(form.listbut);
    EXPECT_FALSE(form.namelist.Visible() || form.namelistimg_e.Visible());

    ASSERT_NE(AddStudent(12, 1, "Anna", "", "", form.datafolder), no_student);
    click(form.listbut);
    EXPECT_EQ(form.namelist.Items(), (std::vector<std::string> { "anna", "piet" }));
    // The first item's row, inside the list.
    click_at(form.namelist.Left() + 40, form.namelist.Top() + 20);
    EXPECT_EQ(form.nameedit.Text(), "anna");
    EXPECT_FALSE(form.namelist.Visible() || form.namelistimg_e.Visible());
}

TEST_F(NameScreen, ClickingIntoTheBoxClosesTheListAndKeepsTheText)
{
    type("sam");
    click(form.listbut);
    ASSERT_TRUE(form.namelist.Visible());
    form.namelist.SetFocus(); // the focus leaves the box, as a click in the list would
    click(form.nameedit);
    EXPECT_FALSE(form.namelist.Visible());
    EXPECT_EQ(form.nameedit.Text(), "sam");
    EXPECT_EQ(traced("focus").back().fields.at(0), "nameedit");
}

TEST_F(NameScreen, AnUnreadableRegisterReachesTheUserAndTheListStaysClosed)
{
    profile.write("documents/students.dat", std::string(100, 'x')); // not whole records
    int boxes = 0;
    auto id = t.app.loop().add_timer(50, [&] {
        for (auto* c : t.app.components())
            if (dynamic_cast<TForm*>(c) && c != &form) {
                ++boxes;
                t.key(platform::keys::Return);
            }
    });
    click(form.listbut);
    t.app.loop().remove_timer(id);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(count("message"), 1u);
    EXPECT_FALSE(form.namelist.Visible());
}

TEST_F(NameScreen, ABrokenEffectDoesNotStrandTheChildOnTheWayToTheMenu)
{
    install.write("fxsounds/language.wav", "RIFF but nothing after it");
    type("lu");
    click(form.okbut);
    EXPECT_EQ(traced_files("background").back(), "m_14e.jpg");
    EXPECT_TRUE(form.Image3.Visible());
    EXPECT_EQ(count("message"), 0u);
    EXPECT_EQ(count("bad-file"), 1u);
}
