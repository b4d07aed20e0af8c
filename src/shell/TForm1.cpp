#include "shell/TForm1.h"

#include "activities/ActivityTable.h"

#include "framework/Random.h"
#include "framework/TApplication.h"
#include "framework/Trace.h"
#include "platform/Files.h"
#include "resources/LoadStored.h"
#include "resources/StoredPictures.h"
#include "platform/AsciiLower.h"

#include <algorithm>
#include <functional>
#include <typeinfo>


namespace {

template<class Box>
void set_face(Box& box, std::string face)
{
    auto font = box.Font();
    font.face = std::move(face);
    box.SetFont(std::move(font));
}

// All the first frame shows.
constexpr char background_picture[] = "backimage.jpg";

void register_hand_cursor()
{
    auto data = resources::stored_picture("cursor31.png");
    if (!data.empty())
        Application->register_cursor(crHand, platform::decode_png(data), 5, 2);
}

}

// Cursor 31 is registered before the first component exists, as the window's
// creation does, so every control that names it finds it.
TForm1::TForm1(TComponent* owner)
    : TForm((register_hand_cursor(), owner))
    , backimage(add<TImage>("backimage"))
    , phand1(add<TImage>("phand1"))
    , Image6(add<TImage>("Image6"))
    , Image5(add<TImage>("Image5"))
    , Image4(add<TImage>("Image4"))
    , Image3(add<TImage>("Image3"))
    , Image2(add<TImage>("Image2"))
    , Image1(add<TImage>("Image1"))
    , exitbut(add<TImageBut>("exitbut"))
    , afrbut(add<TImageBut>("afrbut"))
    , engbut(add<TImageBut>("engbut"))
    , okbut(add<TImageBut>("okbut"))
    , backbut(add<TImageBut>("backbut"))
    , listbut(add<TImageBut>("listbut"))
    , reportbut(add<TImageBut>("reportbut"))
    , namelistimg_a(add<TImage>("namelistimg_a"))
    , namelistimg_e(add<TImage>("namelistimg_e"))
    , denke_ovr(add<TImage>("denke_ovr"))
    , persepsie_ovr(add<TImage>("persepsie_ovr"))
    , phand2(add<TImage>("phand2"))
    , denke_but1(add<TImage>("denke_but1"))
    , denke_but2(add<TImage>("denke_but2"))
    , persepsie_but1(add<TImage>("persepsie_but1"))
    , persepsie_but2(add<TImage>("persepsie_but2"))
    , mutebut(add<TImage>("mutebut"))
    , namelist(add<TListBox>("namelist"))
    , nameedit(add<TEdit>("nameedit"))
    , ant_panel(add<TPanel>("ant_panel"))
    , AntAnimate1(add<TAntAnimate>("AntAnimate1"))
    , music(add<TMediaPlayer>("music"))
    , animatetimer(add<TThreadedTimer>("animatetimer"))
    , delaylogotimer(add<TThreadedTimer>("delaylogotimer"))
    , AppExe(add<TStarter>("AppExe"))
    , sysinfo(add<TSysInfo>("sysinfo"))
    , executetimer(add<TThreadedTimer>("executetimer"))
    , ShapeHint1(add<TShapeHint>("ShapeHint1"))
    , NotifyEndTimer(add<TTimer>("NotifyEndTimer"))
    , playnextvoicetimer(add<TTimer>("playnextvoicetimer"))
    , antapeartimer(add<TThreadedTimer>("antapeartimer"))
    , closetimer(add<TThreadedTimer>("closetimer"))
    , vplayer(add<TAnyPlayer>("vplayer"))
    , splayer(add<TAnyPlayer>("splayer"))
    , volstarter(add<TStarter>("volstarter"))
    , GlobalHotKey2(add<TGlobalHotKey>("GlobalHotKey2"))
{
    design();
    wire_events();
}

void TForm1::decode_first_frame_ahead() { TPicture::decode_ahead(resources::stored_picture(background_picture)); }

// Components outlive the state record, and while they are destroyed the loop
// still serves posted calls (a threaded timer waits for its worker so): a
// tune's end arriving then must not reach the record.
// The components go newest first, and each threaded timer serves posted calls
// while its worker ends: nothing may reach the window's state from then on.
TForm1::~TForm1()
{
    music.OnNotify = nullptr;
    for (TThreadedTimer* timer : { &animatetimer, &delaylogotimer, &executetimer, &antapeartimer, &closetimer })
        timer->SetEnabled(false);
}

// The design values of the window and of each component.
void TForm1::design()
{
    SetCaption("Pipkin! Sprout v2.3");
    SetBounds(0, 0, 790, 564);

    design_pictures();
    design_buttons();
    design_name_controls();

    ant_panel.SetParent(this);
    ant_panel.SetBounds(8, 448, 75, 152);
    design_mascot_and_timers();

    NotifyEndTimer.SetEnabled(false);
    NotifyEndTimer.SetInterval(100);
    playnextvoicetimer.SetEnabled(false);
    playnextvoicetimer.SetInterval(1000);
    GlobalHotKey2.SetHotKey(scCtrl | scAlt | 'Z');
}

// Creation order is the order of painting, so the pictures are given the
// window in it: the menu's zones above phand1, the sub-choices above their
// overlays.
void TForm1::design_pictures()
{
    struct Picture {
        TImage* image;
        int left, top, width, height;
        char const* file;
    };
    Picture const pictures[] = {
        { &backimage, 0, 0, 800, 600, background_picture },
        { &phand1, 104, 152, 63, 45, "phand.png" },
        { &namelistimg_a, 113, 273, 282, 247, "namelistimg_a.jpg" },
        { &namelistimg_e, 113, 273, 282, 247, "namelistimg_e.jpg" },
        { &denke_ovr, 216, 224, 220, 110, "denke_ovr.png" },
        { &persepsie_ovr, 416, 406, 220, 110, "persepsie_ovr.png" },
        { &phand2, 216, 224, 63, 45, "phand.png" },
        { &mutebut, 40, 35, 40, 40, "mutebut.png" },
    };
    for (TComponent* component : components()) {
        if (typeid(*component) != typeid(TImage))
            continue;
        auto& image = static_cast<TImage&>(*component);
        image.SetParent(this);
        if (auto const* row = activity_catalogue::row_of(image.Name())) {
            design_zone(image, *row);
            continue;
        }
        auto const p = std::ranges::find(pictures, &image, &Picture::image);
        image.SetBounds(p->left, p->top, p->width, p->height);
        image.SetVisible(&image == &backimage);
        resources::load_stored(image.Picture(), p->file);
        image.SetAutoSize(true);
    }
}

// A hot zone is a picture control without a picture; the items among them are
// what the menu shows and hides as its buttons.
void TForm1::design_zone(TImage& zone, activity_catalogue::Row const& row)
{
    zone.SetBounds(row.bounds.left, row.bounds.top, row.bounds.width, row.bounds.height);
    zone.SetVisible(false);
    zone.SetAutoSize(false);
    zone.SetTag(row.tag);
    if (row.group == activity_catalogue::Group::Item)
        zone.SetHint("menubutton");
    zone.SetCursor(crHand);
}

void TForm1::design_buttons()
{
    struct Design {
        TImageBut* button;
        int left, top, width, height;
        char const* hint;
        bool hand;
    };
    Design const designs[] = {
        { &exitbut, 632, 48, 115, 112, "Gaan uit / Exit", true },
        { &afrbut, 61, 241, 250, 70, nullptr, false },
        { &engbut, 88, 408, 200, 80, nullptr, false },
        { &okbut, 640, 370, 115, 112, "", true },
        { &backbut, 632, 456, 115, 112, "", true },
        { &listbut, 396, 273, 55, 55, "", true },
        { &reportbut, 632, 256, 115, 112, "", true },
    };
    for (auto const& d : designs) {
        TImageBut& b = *d.button;
        std::string const& name = b.Name();
        b.SetParent(this);
        b.SetBounds(d.left, d.top, d.width, d.height);
        if (d.hint) {
            b.SetHint(d.hint);
            b.SetShowHint(true);
        }
        if (d.hand)
            b.SetCursor(crHand);
        b.SetAutoSize(true);
        resources::load_stored(b.Picture(), (name + "_rest.png").c_str());
        resources::load_stored(b.PicFrom(), (name + "_rest.png").c_str());
        resources::load_stored(b.PicTo(), (name + "_hover.png").c_str());
        resources::load_stored(b.PicDisabled(), (name + "_disabled.png").c_str());
        b.SetEnableButMove(true);
        b.SetEnableBut(true);
        b.SetVisible(false);
    }
}

void TForm1::design_name_controls()
{
    namelist.SetParent(this);
    namelist.SetBounds(121, 303, 265, 209);
    namelist.SetColor(platform::rgb(255, 255, 255));
    namelist.SetFont({ "ZEDO Primary", 35, true });
    namelist.SetItemHeight(40);
    namelist.SetCursor(crHand);
    namelist.Hide();
    nameedit.SetParent(this);
    nameedit.SetBounds(454, 282, 293, 41);
    nameedit.SetColor(platform::rgb(255, 255, 255));
    nameedit.SetFont({ "ZEDO Primary", 35, false });
    nameedit.Hide();
}

void TForm1::design_mascot_and_timers()
{
    AntAnimate1.SetParent(&ant_panel);
    AntAnimate1.SetBounds(0, 0, 75, 152);
    AntAnimate1.ObjOffsetx = 8;
    AntAnimate1.ObjOffsety = 448;
    resources::load_stored(AntAnimate1.BackgroundImg(), "antback.jpg");
    AntAnimate1.ImgWidth = 75;
    AntAnimate1.ImgHeight = 152;
    AntAnimate1.SetMode(1);

    // Every threaded timer stays disabled until the shell needs it.
    animatetimer.SetInterval(350);
    delaylogotimer.SetInterval(2000);
    executetimer.SetInterval(300);
    antapeartimer.SetInterval(100);
    closetimer.SetInterval(5000);
    AppExe.SetAutoStart(true);
}

namespace {

// Every click handler of the window is bound through here, so the trace
// names each click that reaches one.
void bind_click(TControl& control, std::function<void(TObject*)> handler)
{
    control.OnClick = [&control, handler = std::move(handler)](TObject* sender) {
        trace::event("click", { control.Name() });
        handler(sender);
    };
}

}

void TForm1::wire_events()
{
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s) { FormClose(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    animatetimer.OnTimer = [this](TObject* s) { animatetimerTimer(s); };
    delaylogotimer.OnTimer = [this](TObject* s) { delaylogotimerTimer(s); };
    executetimer.OnTimer = [this](TObject* s) { executetimerTimer(s); };
    bind_click(afrbut, [this](TObject* s) { afrbutClick(s); });
    bind_click(listbut, [this](TObject* s) { listbutClick(s); });
    bind_click(namelist, [this](TObject* s) { namelistClick(s); });
    nameedit.OnEnter = [this](TObject* s) { nameeditEnter(s); };
    bind_click(okbut, [this](TObject* s) { okbutClick(s); });
    bind_click(engbut, [this](TObject* s) { engbutClick(s); });
    bind_click(backbut, [this](TObject* s) { backbutClick(s); });
    bind_click(exitbut, [this](TObject* s) { exitbutClick(s); });
    vplayer.OnEndPlay = [this](TObject* s) { vplayerEndPlay(s); };
    music.OnNotify = [this](TObject* s) { musicNotify(s); };
    NotifyEndTimer.OnTimer = [this](TObject* s) { NotifyEndTimerTimer(s); };
    playnextvoicetimer.OnTimer = [this](TObject* s) { playnextvoicetimerTimer(s); };
    AppExe.OnAfterStart = [this](TObject* s) { AppExeAfterStart(s); };
    AppExe.OnError = [this](TObject* s) { AppExeError(s); };
    AppExe.OnFinished = [this](TObject* s) { AppExeFinished(s); };
    bind_click(mutebut, [this](TObject* s) { mutebutClick(s); });
    volstarter.OnFinished = [this](TObject* s) { volstarterFinished(s); };
    volstarter.OnError = [this](TObject* s) { volstarterError(s); };
    wire_menu_events();
}

namespace {

using Hover = void (TForm1::*)(TObject*, TShiftState, int, int);

// The pointer-move handler of a zone: its group's hover, the opening of the
// sub-choices for the two items that have them, none for the report's button.
Hover hover_of(activity_catalogue::Row const& row)
{
    using activity_catalogue::Group;
    if (row.opens)
        return *row.opens == Group::Thinking ? &TForm1::Image2MouseMove : &TForm1::Image4MouseMove;
    switch (row.group) {
    case Group::Item:
        return &TForm1::Image1MouseMove;
    case Group::Thinking:
        return &TForm1::denke_but1MouseMove;
    case Group::Perception:
        return &TForm1::persepsie_but1MouseMove;
    case Group::Button:
        break;
    }
    return nullptr;
}

}

void TForm1::wire_menu_events()
{
    bind_click(Image1, [this](TObject* s) { Image1Click(s); });
    bind_click(Image3, [this](TObject* s) { Image3Click(s); });
    bind_click(Image5, [this](TObject* s) { Image5Click(s); });
    bind_click(Image6, [this](TObject* s) { Image6Click(s); });
    bind_click(denke_but1, [this](TObject* s) { denke_but1Click(s); });
    bind_click(denke_but2, [this](TObject* s) { denke_but2Click(s); });
    bind_click(persepsie_but1, [this](TObject* s) { persepsie_but1Click(s); });
    bind_click(persepsie_but2, [this](TObject* s) { persepsie_but2Click(s); });
    bind_click(reportbut, [this](TObject* s) { reportbutClick(s); });
    for (auto const& row : activity_catalogue::rows) {
        auto& zone = *find<TControl>(row.component);
        if (Hover const hover = hover_of(row))
            zone.OnMouseMove = [this, hover](TObject* s, TShiftState sh, int x, int y) { (this->*hover)(s, sh, x, y); };
        // A zone added to the catalogue since the design has no click
        // handler of its own: it selects its slot all the same.
        if (row.slot != 0 && !zone.OnClick)
            bind_click(zone, [this](TObject* s) { select_zone(s); });
    }
    backimage.OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { backimageMouseMove(s, sh, x, y); };
}

void TForm1::set_menuactive(bool active)
{
    if (active == menuactive)
        return;
    menuactive = active;
    trace::event("state", { "menuactive", active ? "1" : "0" });
}

std::string TForm1::ResolveDataFolder()
{
    std::string result;
    // Read once: each reading lists the environment anew, the default
    // profile folder made on the way, and start-up is waiting.
    auto const& lines = sysinfo.Environment();
    static std::string const key = "allusersprofile=";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = ascii_lower(lines[i]);
        std::size_t at = line.find(key);
        if (at != std::string::npos) {
            result = line.substr(at + key.size(), 1000);
            break;
        }
    }
    if (result.empty())
        return platform::files::with_slash(sysinfo.WinSysPath());
    result = platform::files::with_slash(result) + "documents/";
    if (platform::files::folder_exists(result) || platform::files::make_folder(result))
        return result;
    return platform::files::with_slash(platform::files::current_directory());
}

void TForm1::compute_install_folders()
{
    installdir = platform::files::with_slash(platform::files::current_directory());
    basedir = installdir;
    menudir = installdir + "menu/";
    musicdir = installdir + "Music/";
    fxdir = installdir + "fxsounds/";
}

void TForm1::fill_activities()
{
    static_assert(std::tuple_size_v<decltype(activities)> == activity_table::programs.size());
    std::ranges::copy(activity_table::programs, activities.begin());
}

void TForm1::FormCreate(TObject*)
{
    buttons_swapped_at_start = mouse_buttons_swapped();
    datafolder = ResolveDataFolder();
    volumeopen = false;
    Randomize();
    spoken.fill(false);
    if (DisplaySwitchAllowed() && !SwitchDisplayMode(800, 600, 32) && !SwitchDisplayMode(800, 600, 16)
        && !screen_serves_as_it_is()) {
        RestoreDisplayMode();
        Application->MessageBox(TMsgDlgType::mtInformation,
            "This program requires a screen resolution of at least 800x600 @ 16bit colour. Please update your display "
            "drivers.",
            TMsgDlgButtons::mbOK);
        closetimer.SetEnabled(true);
        return;
    }
    hide_taskbar();
    ant_panel.SetDoubleBuffered(true);
    ant_panel.Hide();
    SetBounds(0, 0, 800, 600);
    compute_install_folders();
    AntAnimate1.Setlibpath(installdir + "mascot/");
    AntAnimate1.StopTalking();
    fill_activities();
    RegisterFont(installdir + "ZEDO Pri.TTF", true);
    set_face(namelist, "ZEDO Primary");
    set_face(nameedit, "ZEDO Primary");
}

void TForm1::FormActivate(TObject*)
{
    introframe = 1;
    afrbut.SetCursor(crHand);
    engbut.SetCursor(crHand);
    animatetimer.SetEnabled(true);
    prefetch_intro_picture();
    start_intro_music();
    musiccount = 0;
    musiclisted = false;
    intromusic = false;
    langletter = 'a';
}

void TForm1::FormClose(TObject*)
{
    closetimer.SetEnabled(false);
    executetimer.SetEnabled(false);
    delaylogotimer.SetEnabled(false);
    animatetimer.SetEnabled(false);
    NotifyEndTimer.SetEnabled(false);
    antapeartimer.SetEnabled(false);
    playnextvoicetimer.SetEnabled(false);
    AntAnimate1.SetAnimate(false);
}

// Each step gives back one thing of the user's desktop: an error in one is
// shown and the others still run.
void TForm1::FormDestroy(TObject*)
{
    Application->guarded([this] { RestoreDisplayMode(); });
    Application->guarded([this] { SetMouseButtonSwap(buttons_swapped_at_start); });
    Application->guarded([this] { show_taskbar(); });
    Application->guarded([this] { RegisterFont(installdir + "ZEDO Pri.TTF", false); });
}

