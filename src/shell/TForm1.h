#pragma once

#include "activities/ActivityCatalogue.h"
#include "desktop/ModeMatch.h"
#include "desktop/TGlobalHotKey.h"
#include "framework/TEdit.h"
#include "framework/TForm.h"
#include "framework/TImage.h"
#include "framework/TListBox.h"
#include "framework/TPanel.h"
#include "framework/TShapeHint.h"
#include "framework/TTimer.h"
#include "services/TAnyPlayer.h"
#include "services/TMediaPlayer.h"
#include "platform/Desktop.h"
#include "platform/DisplayModeRecord.h"
#include "services/TStarter.h"
#include "services/TSysInfo.h"
#include "shell/BackgroundPrefetch.h"
#include "widgets/TAntAnimate.h"
#include "widgets/TImageBut.h"
#include "widgets/TThreadedTimer.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The shell's main window: its components in design order (also the order in
// which picture controls are painted, bottom to top) and its private state.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // Starts decoding the picture of the first frame, which is the longest
    // step of that frame's making, before the window exists: meanwhile the
    // program mostly waits for the X server.
    static void decode_first_frame_ahead();

    // Components, in creation order.
    TImage& backimage;
    TImage& phand1;
    TImage& Image6;
    TImage& Image5;
    TImage& Image4;
    TImage& Image3;
    TImage& Image2;
    TImage& Image1;
    TImageBut& exitbut;
    TImageBut& afrbut;
    TImageBut& engbut;
    TImageBut& okbut;
    TImageBut& backbut;
    TImageBut& listbut;
    TImageBut& reportbut;
    TImage& namelistimg_a;
    TImage& namelistimg_e;
    TImage& denke_ovr;
    TImage& persepsie_ovr;
    TImage& phand2;
    TImage& denke_but1;
    TImage& denke_but2;
    TImage& persepsie_but1;
    TImage& persepsie_but2;
    TImage& mutebut;
    TListBox& namelist;
    TEdit& nameedit;
    TPanel& ant_panel;
    TAntAnimate& AntAnimate1;
    TMediaPlayer& music;
    TThreadedTimer& animatetimer;
    TThreadedTimer& delaylogotimer;
    TStarter& AppExe;
    TSysInfo& sysinfo;
    TThreadedTimer& executetimer;
    TShapeHint& ShapeHint1;
    TTimer& NotifyEndTimer;
    TTimer& playnextvoicetimer;
    TThreadedTimer& antapeartimer;
    TThreadedTimer& closetimer;
    TAnyPlayer& vplayer;
    TAnyPlayer& splayer;
    TStarter& volstarter;
    TGlobalHotKey& GlobalHotKey2;

    // Folders and language. Folder strings end with '/'.
    std::string installdir;
    std::string basedir;
    std::string menudir;
    std::string musicdir;
    std::string fxdir;
    std::string voicedir;
    std::string datafolder;
    std::string langcode;
    char langletter { 0 };

    // Student.
    std::string studentname;
    std::string studentextra1;
    std::string studentextra2;
    std::int16_t studentindex { 0 };

    // Activities, by slot (index 0 unused).
    std::array<std::string, activity_catalogue::highest_slot + 1> activities;
    std::int32_t selectedactivity { 0 };
    bool childrunning { false };
    std::string activitypath;
    std::string activityparams;

    // Screens and menu; the flags by the zones' flag numbers (index 0 unused).
    std::int32_t introframe { 0 };
    bool menuactive { false };
    std::array<bool, activity_catalogue::highest_flag + 1> spoken {};
    std::array<bool, activity_catalogue::highest_flag + 1> pendingspoken {};
    std::array<bool, activity_catalogue::highest_flag + 1> hovermark {};
    bool instructionplaying { false };
    bool instructiongiven { false };

    // Sound, slots 1 to 10 and 1 to 50.
    struct PromptEntry {
        std::string name;
        std::int32_t pause { 0 };
    };
    std::array<PromptEntry, 11> prompts;
    std::int32_t promptcount { 0 };
    std::int32_t promptpos { 0 };
    std::int32_t promptdelay { 0 };
    bool promptcontinue { false };
    std::int32_t playerstate { 0 };
    std::array<std::string, 51> musicfiles;
    std::int32_t musiccount { 0 };
    bool musiclisted { false };
    bool intromusic { false };
    bool volumeopen { false };

    // Desktop and display.
    platform::Desktop::WindowHandle taskbarwnd { 0 };
    DisplayValues startmode;
    DisplayValues restoremode;
    std::vector<platform::DisplayModeRecord> displaymodes;
    std::int32_t savedmodepos { 0 };
    // The exit puts the pointer's buttons back as they were found.
    bool buttons_swapped_at_start { false };

    // Start-up and shutdown (shell/TForm1.cpp).
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender);
    void FormDestroy(TObject* sender);
    std::string ResolveDataFolder();

    // The screens and the moves between them (shell/ScreenFlow.cpp).
    void animatetimerTimer(TObject* sender);
    void delaylogotimerTimer(TObject* sender);
    void afrbutClick(TObject* sender);
    void engbutClick(TObject* sender);
    void listbutClick(TObject* sender);
    void namelistClick(TObject* sender);
    void nameeditEnter(TObject* sender);
    void okbutClick(TObject* sender);
    void backbutClick(TObject* sender);
    void exitbutClick(TObject* sender);
    void LoadMenuBackground(std::int32_t number, std::string const& suffix);
    void HideMenuButtons();
    void ShowMenuButtons();
    void ApplyLanguageTexts();
    void LoadNameList();

    // The activity menu: hovering and clicks (shell/ActivityMenu.cpp).
    void Image1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image2MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image4MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void backimageMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void denke_but1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void persepsie_but1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image1Click(TObject* sender);
    void Image3Click(TObject* sender);
    void Image5Click(TObject* sender);
    void Image6Click(TObject* sender);
    void denke_but1Click(TObject* sender);
    void denke_but2Click(TObject* sender);
    void persepsie_but1Click(TObject* sender);
    void persepsie_but2Click(TObject* sender);
    void reportbutClick(TObject* sender);

    // Voice prompts and effect sounds (sound/PromptSequencer.cpp).
    void PlayEffect(std::string const& name);
    void PlayVoice(std::string const& name, bool continue_);
    void PlayPromptStep(std::int32_t index);
    void StartPrompts(std::string const& file1, std::int32_t pause1, std::string const& file2, std::int32_t pause2);
    void vplayerEndPlay(TObject* sender);
    void NotifyEndTimerTimer(TObject* sender);
    void playnextvoicetimerTimer(TObject* sender);

    // Display and desktop (desktop/DisplayMode.cpp, desktop/DesktopIntegration.cpp).
    bool DisplaySwitchAllowed();
    bool SwitchDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits);
    int ApplyDisplayMode(platform::DisplayModeRecord const& record);
    void RestoreDisplayMode();
    bool screen_serves_as_it_is() const;
    bool RegisterFont(std::string const& path, bool add);
    void SetMouseButtonSwap(bool on);
    void hide_taskbar();
    void show_taskbar();
    bool mouse_buttons_swapped();

    // Background music (sound/BackgroundMusic.cpp).
    void start_intro_music();
    void offer_to_remove_tunes();
    void musicNotify(TObject* sender);
    void PlayRandomMusic();

    // The volume control button (sound/VolumeControl.cpp).
    void ShowVolumeButton();
    void mutebutClick(TObject* sender);
    void volstarterFinished(TObject* sender);
    void volstarterError(TObject* sender);

    // Starting activities and coming back from them (activities/ActivityLauncher.cpp).
    void executetimerTimer(TObject* sender);
    void LaunchActivity(std::string const& relative_path);
    void AppExeAfterStart(TObject* sender);
    void AppExeError(TObject* sender);
    void AppExeFinished(TObject* sender);

private:
    // Every write of menuactive goes through here, so the trace sees each change.
    void set_menuactive(bool);
    // The mascot draws itself over its own copy of the background.
    void refresh_mascot_background();
    std::string menu_background_path(std::int32_t number, std::string const& suffix) const;
    void prefetch_intro_picture();
    void set_menu_buttons_visible(bool);
    TImage& name_list_frame();
    void hide_name_list();
    std::uint16_t find_student();
    std::uint16_t add_student(int entry);
    void choose_language(char letter, char const* code);
    void hover_zone(TControl& zone);
    void speak_hovered_again();
    void select_zone(TObject* sender);
    void select_activity(activity_catalogue::Row const& zone);
    void return_to_menu();
    std::string find_volume_control();
    void show_farewell();

    BackgroundPrefetch m_prefetch;

    void design();
    void design_pictures();
    void design_zone(TImage& zone, activity_catalogue::Row const& row);
    void design_buttons();
    void design_name_controls();
    void design_mascot_and_timers();
    void wire_events();
    void wire_menu_events();
    void compute_install_folders();
    void fill_activities();
};
