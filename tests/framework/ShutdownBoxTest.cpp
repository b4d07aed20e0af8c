#include "framework/TTimer.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct Form : TForm {
    using TForm::TForm;
};

}

TEST(ShutdownBox, AnErrorWhileTheApplicationEndsIsShownUntilAnswered)
{
    TestApp t;
    auto& form = t.app.CreateForm<Form>("form");
    bool box_seen = false;
    bool destroy_went_on = false;
    form.OnActivate = [&](TObject*) { form.Close(); };
    form.OnDestroy = [&](TObject*) {
        t.app.loop().add_timer(200, [&] {
            if (t.open_box() && !box_seen) {
                box_seen = true;
                t.key(platform::keys::Return);
            }
        });
        t.app.guarded([] { throw std::runtime_error("Cannot put the screen back"); });
        destroy_went_on = true;
    };
    t.app.Run();
    EXPECT_TRUE(box_seen) << "the box waited for its answer";
    EXPECT_TRUE(destroy_went_on);
    EXPECT_GE(t.now(), 200);
}

TEST(ShutdownBox, ASecondCloseRequestDismissesABoxShownWhileEnding)
{
    TestApp t;
    auto& form = t.app.CreateForm<Form>("form");
    form.OnActivate = [&](TObject*) { form.Close(); };
    int answer = -1;
    form.OnDestroy = [&](TObject*) {
        t.app.loop().add_timer(100, [&] {
            platform::InputEvent close;
            close.kind = platform::InputEvent::Kind::Close;
            t.window.push(close);
        });
        answer = t.app.MessageBox(TMsgDlgType::mtError, "Still busy", TMsgDlgButtons::mbOK);
    };
    t.app.Run();
    EXPECT_EQ(answer, mrCancel);
}
