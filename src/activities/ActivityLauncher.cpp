// The main window's start of the activity chosen on the menu and its return to
// the menu; writes activitypath, activityparams, the student extras,
// childrunning, menuactive and the menu's spoken and instruction flags.
#include "shell/TForm1.h"

#include "activities/ActivityParameters.h"
#include "framework/TApplication.h"
#include "platform/Files.h"

void TForm1::executetimerTimer(TObject*)
{
    executetimer.SetEnabled(false);
    LaunchActivity(activities.at(selectedactivity));
}

void TForm1::LaunchActivity(std::string const& relative_path)
{
    if (childrunning)
        return;
    activitypath = installdir + relative_path;
    studentextra1.clear();
    studentextra2.clear();
    activityparams = ActivityParameters { installdir, studentname, studentextra1, studentextra2, langletter, datafolder }
                         .text();
    if (platform::files::file_exists(activitypath)) {
        AppExe.SetCommand(activitypath);
        AppExe.SetParameters(activityparams);
        AppExe.Start();
        return;
    }
    Application->MessageBox(TMsgDlgType::mtWarning,
        "The file you selected does not exists! Please re-install software!", TMsgDlgButtons::mbOK);
    // Back as from a refused start: the menu would otherwise stay dead, or
    // silent when the click cut the instruction off before its end.
    return_to_menu();
}

// Also called after a refused start; the starter watches only a program it
// has started, and the error handler has already brought the menu back.
void TForm1::AppExeAfterStart(TObject*)
{
    if (!AppExe.watching())
        return;
    childrunning = true;
    Application->Minimize();
    vplayer.Stop();
    splayer.Stop();
    NotifyEndTimer.SetEnabled(false);
    playnextvoicetimer.SetEnabled(false);
}

void TForm1::AppExeError(TObject*) { return_to_menu(); }

void TForm1::AppExeFinished(TObject*) { return_to_menu(); }

// The menu as it was left, with every name to be spoken once more after the
// instruction.
void TForm1::return_to_menu()
{
    childrunning = false;
    Application->Restore();
    spoken.fill(false);
    pendingspoken.fill(false);
    instructionplaying = false;
    instructiongiven = false;
    instructionplaying = true;
    StartPrompts("", 1, "a_2.mp3", 500);
    set_menuactive(true);
}
