// The main window's screens and the moves between them: intro, language,
// name, menu and exit screens. Writes introframe, the language fields, the
// student fields, menuactive and the spoken/instruction flags on a language
// choice.
#include "shell/TForm1.h"

#include "farewell/Tadvertform.h"
#include "framework/TApplication.h"
#include "framework/Trace.h"
#include "platform/AsciiLower.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "platform/ImageDecoder.h"
#include "framework/BadFile.h"
#include "shell/LanguageHints.h"
#include "shell/NameList.h"

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
    nameedit.Show();
    nameedit.SetFocus();
    StartPrompts("", 1, "a_1.mp3", 500);
}

void TForm1::listbutClick(TObject*)
{
    if (namelist.Visible()) {
        namelist.Hide();
        name_list_frame().Hide();
        return;
    }
    LoadNameList();
    namelist.Show();
    name_list_frame().Show();
}

// The frame of the language chosen; only 'a' and 'e' have one.
TImage& TForm1::name_list_frame() { return langletter == 'a' ? namelistimg_a : namelistimg_e; }

void TForm1::hide_name_list()
{
    namelist.Hide();
    namelistimg_a.Hide();
    namelistimg_e.Hide();
}

void TForm1::namelistClick(TObject*)
{
    if (namelist.ItemIndex() < 0)
        return;
    nameedit.SetText(namelist.Items()[std::size_t(namelist.ItemIndex())]);
    hide_name_list();
}

void TForm1::nameeditEnter(TObject*) { hide_name_list(); }

void TForm1::okbutClick(TObject*)
{
    if (nameedit.Text().empty())
        return;
    set_menuactive(true);
    hide_name_list();
    nameedit.Hide();
    listbut.Hide();
    okbut.Hide();
    studentname = nameedit.Text();
    studentextra1 = "";
    studentextra2 = "";
    PlayEffect("language.mp3");
    studentindex = std::int16_t(find_student());
    if (studentindex == -1)
        studentindex = std::int16_t(add_student(langletter == 'a' ? afrikaans_entry : english_entry));
    LoadMenuBackground(14, std::string(1, langletter));
    refresh_mascot_background();
    backbut.Show();
    reportbut.Show();
    ShowMenuButtons();
    instructionplaying = true;
    StartPrompts("", 1, "a_2.mp3", 500);
}

// The register keeps names in the code page; the name box only ever holds
// text the code page can store.
std::uint16_t TForm1::find_student()
{
    auto name = cp1252::from_utf8(studentname);
    return name ? FindStudent(*name, studentextra1, studentextra2, datafolder) : no_student;
}

std::uint16_t TForm1::add_student(int entry)
{
    auto name = cp1252::from_utf8(studentname);
    return name ? AddStudent(entry, 1, *name, studentextra1, studentextra2, datafolder) : no_student;
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
    // A menu click's start still waiting would come up under the farewell
    // window and speak the menu over it when it ends.
    executetimer.SetEnabled(false);
    voicedir = installdir + voice_folder_for(langletter);
    for (TControl* c : std::initializer_list<TControl*> { &Image2, &Image4, &exitbut, &backbut, &reportbut,
             &denke_ovr, &denke_but1, &denke_but2, &okbut, &phand1, &phand2, &persepsie_ovr, &persepsie_but1,
             &persepsie_but2, &nameedit, &listbut, &namelistimg_e, &namelistimg_a, &namelist })
        c->Hide();
    PlayEffect("keystrok.mp3");
    LoadMenuBackground(12, "");
    refresh_mascot_background();
    ant_panel.Show();
    HideMenuButtons();
    afrbut.Hide();
    engbut.Hide();
    StartPrompts("", 500, "a_17.mp3", 500);
    show_farewell();
    Close();
}

// The farewell window is made for this one showing; the prompts, the music
// and the mascot go on beneath it until it closes.
void TForm1::show_farewell()
{
    auto& advertform = Application->add<Tadvertform>("advertform");
    advertform.SetBounds(0, 0, 800, 600);
    advertform.LoadAdvert(basedir, langletter, langcode);
    advertform.ShowModal();
    Application->delete_component(&advertform);
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

void TForm1::LoadNameList()
{
    StudentSlots slots;
    ReadStudents(datafolder, slots);
    namelist.Clear();
    for (auto& name : listed_names(slots))
        namelist.AddItem(std::move(name));
}
