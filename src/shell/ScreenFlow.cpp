// The main window's screens and the moves between them: intro, language,
// name, menu and exit screens. Writes introframe, the language fields, the
// student fields, menuactive and the spoken/instruction flags on a language
// choice.
#include "shell/TForm1.h"

#include "framework/TApplication.h"
#include "framework/Trace.h"
#include "platform/Files.h"
#include "platform/ImageDecoder.h"
#include "shell/AsciiLower.h"
#include "shell/BadFile.h"
#include "shell/LanguageHints.h"

#include <exception>
#include <stdexcept>

void TForm1::animatetimerTimer(TObject*)
{
    if (introframe > 12) {
        animatetimer.SetEnabled(false);
        delaylogotimer.SetEnabled(true);
        return;
    }
    LoadMenuBackground(introframe, "");
    if (introframe == 2 || introframe == 5 || introframe == 11)
        PlayEffect("gliss.mp3");
    ++introframe;
    prefetch_intro_picture();
}

// The picture the intro shows next: its next frame, or the language screen's.
void TForm1::prefetch_intro_picture()
{
    m_prefetch.start(menu_background_path(introframe <= 12 ? introframe : 11, ""));
}

void TForm1::delaylogotimerTimer(TObject*)
{
    delaylogotimer.SetEnabled(false);
    LoadMenuBackground(11, "");
    afrbut.Show();
    engbut.Show();
    exitbut.Show();
    ShowVolumeButton();
}

void TForm1::afrbutClick(TObject*) { choose_language('a', "AFR"); }

void TForm1::engbutClick(TObject*) { choose_language('e', "ENG"); }

void TForm1::choose_language(char letter, char const* code)
{
    mutebut.Hide();
    langcode = code;
    langletter = letter;
    ApplyLanguageTexts();
    instructiongiven = false;
    instructionplaying = false;
    spoken.fill(false);
    pendingspoken.fill(false);
    LanguageHints const& hints = hints_for(langletter);
    exitbut.SetHint(hints.exitbut);
    listbut.SetHint(hints.listbut);
    reportbut.SetHint(hints.reportbut);
    backbut.SetHint(hints.backbut);
    okbut.SetHint(hints.okbut);
    afrbut.Hide();
    engbut.Hide();
    LoadMenuBackground(13, std::string(1, langletter));
    refresh_mascot_background();
    ant_panel.Show();
    okbut.Show();
    listbut.Show();
    StartPrompts("", 1, "a_1.mp3", 500);
}

void TForm1::backbutClick(TObject*)
{
    if (!menuactive) {
        PlayEffect("wrong.mp3");
        return;
    }
    set_menuactive(false);
    for (TControl* c : std::initializer_list<TControl*> { &Image4, &backbut, &reportbut, &denke_ovr, &denke_but1,
             &denke_but2, &phand1, &phand2, &persepsie_ovr, &persepsie_but1, &persepsie_but2, &ant_panel })
        c->Hide();
    PlayEffect("keystrok.mp3");
    LoadMenuBackground(11, "");
    HideMenuButtons();
    afrbut.Show();
    engbut.Show();
    mutebut.Show();
}

void TForm1::exitbutClick(TObject*)
{
    voicedir = installdir + voice_folder_for(langletter);
    for (TControl* c : std::initializer_list<TControl*> { &Image2, &Image4, &exitbut, &backbut, &reportbut,
             &denke_ovr, &denke_but1, &denke_but2, &okbut, &phand1, &phand2, &persepsie_ovr, &persepsie_but1,
             &persepsie_but2, &listbut, &namelistimg_e, &namelistimg_a })
        c->Hide();
    PlayEffect("keystrok.mp3");
    LoadMenuBackground(12, "");
    refresh_mascot_background();
    ant_panel.Show();
    HideMenuButtons();
    afrbut.Hide();
    engbut.Hide();
    StartPrompts("", 500, "a_17.mp3", 500);
    wait_for_farewell_words();
    Close();
}

// FIXME: stands in for the farewell window until it exists: the window
// closes once the farewell words have ended, or after 3 s without them.
void TForm1::wait_for_farewell_words()
{
    bool ended = false;
    auto bound = vplayer.OnEndPlay;
    vplayer.OnEndPlay = [&](TObject* sender) {
        bound(sender);
        ended = true;
    };
    bool has_voice = platform::files::file_exists(voicedir + "a_17.wav");
    platform::Millis limit = Application->loop().clock().now() + (has_voice ? 30000 : 3000);
    auto wake = Application->loop().add_timer(limit - Application->loop().clock().now(), [] { });
    Application->loop().run_until(
        [&] { return ended || Application->Terminated() || Application->loop().clock().now() >= limit; });
    Application->loop().remove_timer(wake);
    vplayer.OnEndPlay = bound;
}

std::string TForm1::menu_background_path(std::int32_t number, std::string const& suffix) const
{
    return menudir + "m_" + std::to_string(number) + suffix + ".jpg";
}

void TForm1::LoadMenuBackground(std::int32_t number, std::string const& suffix)
{
    std::string path = menu_background_path(number, suffix);
    if (!platform::files::file_exists(path))
        return;
    auto picture = m_prefetch.take(path);
    if (!picture) {
        try {
            auto data = platform::files::read_all(path);
            if (!data)
                throw std::runtime_error("Cannot open file \"" + path + "\"");
            picture = platform::decode_jpeg(*data);
        } catch (std::exception const& e) {
            report_bad_file(path, e.what());
            return;
        }
    }
    backimage.Picture().set_bitmap(std::move(*picture), platform::ImageFormat::Jpeg);
    trace::event("background", { path });
}

void TForm1::refresh_mascot_background() { AntAnimate1.SetBackgroundImg(&backimage.Picture()); }

void TForm1::HideMenuButtons() { set_menu_buttons_visible(false); }

void TForm1::ShowMenuButtons() { set_menu_buttons_visible(true); }

// The menu's hot zones are the picture controls whose hint says so, walked in
// creation order.
void TForm1::set_menu_buttons_visible(bool visible)
{
    for (TComponent* c : components()) {
        auto* control = dynamic_cast<TControl*>(c);
        if (control && !control->windowed() && ascii_lower(control->Hint()).find("menubutton") != std::string::npos)
            control->SetVisible(visible);
    }
}

void TForm1::ApplyLanguageTexts()
{
    voicedir = installdir + voice_folder_for(langletter);
    reportbut.SetHint(hints_for(langletter).reportbut);
}
