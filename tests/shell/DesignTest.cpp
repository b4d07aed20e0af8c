#include "shell/MainWindow.h"

#include "framework/TEdit.h"
#include "framework/TListBox.h"

#include <typeinfo>

namespace {

using Design = MainWindow;

// One row of the window's component table: what the design makes of it
// before the start-up steps move anything.
struct Row {
    char const* name;
    std::type_info const& kind;
    int left = 0, top = 0, width = 0, height = 0; // 0 x 0: not a control
    int tag = 0;
    char const* hint = "";
    int cursor = 0;
};

}

TEST_F(Design, EveryComponentInCreationOrderWithItsDesignValues)
{
    std::vector<Row> const table = {
        { "backimage", typeid(TImage), 0, 0, 800, 600 },
        { "phand1", typeid(TImage), 104, 152, 63, 45 },
        { "Image6", typeid(TImage), 40, 368, 177, 185, 4, "menubutton", 31 },
        { "Image5", typeid(TImage), 224, 376, 201, 169, 5, "menubutton", 31 },
        { "Image4", typeid(TImage), 432, 376, 185, 169, 6, "menubutton", 31 },
        { "Image3", typeid(TImage), 440, 200, 185, 161, 3, "menubutton", 31 },
        { "Image2", typeid(TImage), 232, 200, 185, 161, 2, "menubutton", 31 },
        { "Image1", typeid(TImage), 48, 200, 169, 161, 1, "menubutton", 31 },
        { "exitbut", typeid(TImageBut), 632, 48, 115, 112, 0, "Gaan uit / Exit", 31 },
        { "afrbut", typeid(TImageBut), 61, 241, 250, 70 },
        { "engbut", typeid(TImageBut), 88, 408, 200, 80 },
        { "okbut", typeid(TImageBut), 640, 370, 115, 112, 0, "", 31 },
        { "backbut", typeid(TImageBut), 632, 456, 115, 112, 0, "", 31 },
        { "listbut", typeid(TImageBut), 396, 273, 55, 55, 0, "", 31 },
        { "reportbut", typeid(TImageBut), 632, 256, 115, 112, 0, "", 31 },
        { "namelistimg_a", typeid(TImage), 113, 273, 282, 247 },
        { "namelistimg_e", typeid(TImage), 113, 273, 282, 247 },
        { "denke_ovr", typeid(TImage), 216, 224, 220, 110 },
        { "persepsie_ovr", typeid(TImage), 416, 406, 220, 110 },
        { "phand2", typeid(TImage), 216, 224, 63, 45 },
        { "denke_but1", typeid(TImage), 216, 228, 113, 102, 2, "", 31 },
        { "denke_but2", typeid(TImage), 336, 228, 94, 102, 1, "", 31 },
        { "persepsie_but1", typeid(TImage), 416, 409, 113, 102, 2, "", 31 },
        { "persepsie_but2", typeid(TImage), 536, 410, 97, 102, 1, "", 31 },
        { "mutebut", typeid(TImage), 40, 35, 40, 40 },
        { "namelist", typeid(TListBox), 121, 303, 265, 209, 0, "", 31 },
        { "nameedit", typeid(TEdit), 454, 282, 293, 41 },
        { "ant_panel", typeid(TPanel), 8, 448, 75, 152 },
        { "AntAnimate1", typeid(TAntAnimate), 0, 0, 75, 152 },
        { "music", typeid(TMediaPlayer) },
        { "animatetimer", typeid(TThreadedTimer) },
        { "delaylogotimer", typeid(TThreadedTimer) },
        { "AppExe", typeid(TStarter) },
        { "sysinfo", typeid(TSysInfo) },
        { "executetimer", typeid(TThreadedTimer) },
        { "ShapeHint1", typeid(TShapeHint) },
        { "NotifyEndTimer", typeid(TTimer) },
        { "playnextvoicetimer", typeid(TTimer) },
        { "antapeartimer", typeid(TThreadedTimer) },
        { "closetimer", typeid(TThreadedTimer) },
        { "vplayer", typeid(TAnyPlayer) },
        { "splayer", typeid(TAnyPlayer) },
        { "volstarter", typeid(TStarter) },
    };
    auto components = form.components();
    ASSERT_EQ(components.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        Row const& row = table[i];
        TComponent& c = *components[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(c.Name(), row.name);
        EXPECT_EQ(typeid(c), row.kind);
        auto* control = dynamic_cast<TControl*>(&c);
        ASSERT_EQ(control != nullptr, row.width > 0);
        if (!control)
            continue;
        EXPECT_EQ(control->Left(), row.left);
        EXPECT_EQ(control->Top(), row.top);
        EXPECT_EQ(control->Width(), row.width);
        EXPECT_EQ(control->Height(), row.height);
        EXPECT_EQ(control->Tag(), row.tag);
        EXPECT_EQ(control->Hint(), row.hint);
        EXPECT_EQ(control->Cursor(), row.cursor);
        // Only the background and the mascot inside its hidden panel are visible.
        EXPECT_EQ(control->Visible(), c.Name() == "backimage" || c.Name() == "AntAnimate1");
    }
    EXPECT_EQ(form.namelist.ItemHeight(), 40);
    EXPECT_EQ(form.namelist.Font().face, "ZEDO Primary");
    EXPECT_TRUE(form.namelist.Font().bold);
    EXPECT_EQ(form.namelist.Font().height, 35);
    EXPECT_EQ(form.nameedit.Font().face, "ZEDO Primary");
    EXPECT_FALSE(form.nameedit.Font().bold);
    for (TTimer* timer : { &form.NotifyEndTimer, &form.playnextvoicetimer })
        EXPECT_FALSE(timer->Enabled());
    for (TThreadedTimer* timer : { &form.animatetimer, &form.delaylogotimer, &form.executetimer,
             &form.antapeartimer, &form.closetimer })
        EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(form.animatetimer.Interval(), 350u);
    EXPECT_EQ(form.delaylogotimer.Interval(), 2000u);
    EXPECT_EQ(form.executetimer.Interval(), 300u);
    EXPECT_EQ(form.closetimer.Interval(), 5000u);
    EXPECT_EQ(form.NotifyEndTimer.Interval(), 100u);
    EXPECT_TRUE(form.exitbut.ShowHint());
    EXPECT_TRUE(form.AppExe.AutoStart());
    EXPECT_EQ(form.AntAnimate1.Mode(), 1);
}
