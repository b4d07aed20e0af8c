#include "farewell/Tadvertform.h"

#include "framework/BadFile.h"
#include "platform/Files.h"
#include "resources/LoadStored.h"

Tadvertform::Tadvertform(TComponent* owner)
    : TForm(owner)
    , bground(add<TImage>("bground"))
    , Image1(add<TImage>("Image1"))
    , exitbut(add<TImageButAdvanced>("exitbut"))
    , adviewer(add<TImgView>("adviewer"))
    , closetimer(add<TTimer>("closetimer"))
{
    design();
    wire_events();
}

void Tadvertform::design()
{
    SetVisible(false);

    bground.SetParent(this);
    bground.SetBounds(0, 0, 800, 600);
    bground.SetAutoSize(true);

    Image1.SetParent(this);
    Image1.SetBounds(723, 534, 77, 68);
    resources::load_stored(Image1.Picture(), "advert_frame.png");
    Image1.SetAutoSize(true);

    exitbut.SetParent(this);
    exitbut.SetBounds(738, 546, 49, 49);
    exitbut.SetAutoSize(true);
    exitbut.SetCursor(crHand);
    exitbut.SetHint("Gaan Terug");
    exitbut.SetShowHint(true);
    resources::load_stored(exitbut.PicFrom(), "advert_exitbut_rest.png");
    resources::load_stored(exitbut.PicTo(), "advert_exitbut_hover.png");
    resources::load_stored(exitbut.PicDown(), "advert_exitbut_down.png");
    exitbut.SetEnableButMove(true);
    exitbut.SetEnableBut(true);

    adviewer.SetParent(this);
    adviewer.SetBounds(77, 64, 642, 475);

    closetimer.SetEnabled(false);
    closetimer.SetInterval(200);
}

void Tadvertform::wire_events()
{
    exitbut.OnClick = [this](TObject* s) { exitbutClick(s); };
    closetimer.OnTimer = [this](TObject* s) { closetimerTimer(s); };
}

void Tadvertform::LoadAdvert(std::string const& basedir, char langletter, std::string const& langcode)
{
    std::string const advert = basedir + "add_" + langletter + ".jpg";
    std::string const background = basedir + "addback_" + langletter + ".jpg";
    if (!platform::files::file_exists(advert)) {
        closetimer.SetEnabled(true);
        return;
    }
    if (load_optional_picture(bground.Picture(), background))
        exitbut.SetHint(langcode == "AFR" ? "Gaan uit" : "Exit");
    else
        closetimer.SetEnabled(true);
    if (!load_optional_picture(adviewer.Picture(), advert))
        closetimer.SetEnabled(true);
    // A picture taller than the view shows its top first.
    adviewer.Scroll(0, -2500);
}

void Tadvertform::exitbutClick(TObject*) { Close(); }

void Tadvertform::closetimerTimer(TObject*)
{
    closetimer.SetEnabled(false);
    Close();
}
