// The main window's volume control button on the language screen; writes
// volumeopen.
#include "shell/TForm1.h"

#include "framework/TApplication.h"
#include "platform/Files.h"

namespace {

// The system's own mixer window.
constexpr char const* volume_program = "pavucontrol";

}

void TForm1::ShowVolumeButton() { mutebut.Show(); }

void TForm1::mutebutClick(TObject*)
{
    std::string program = find_volume_control();
    if (program.empty()) {
        Application->MessageBox(TMsgDlgType::mtWarning, "Volume control utility not found!", TMsgDlgButtons::mbOK);
        return;
    }
    if (volumeopen) {
        Application->MessageBox(
            TMsgDlgType::mtInformation, "Volume control allready loaded!", TMsgDlgButtons::mbOK);
        return;
    }
    Application->Minimize();
    volumeopen = true;
    volstarter.SetCommand(program);
    volstarter.Start();
}

// The Windows folder's copy wins over the system folder's; empty when neither
// has one.
std::string TForm1::find_volume_control()
{
    for (std::string const& folder : { sysinfo.WinPath(), sysinfo.WinSysPath() }) {
        std::string path = platform::files::with_slash(folder) + volume_program;
        if (platform::files::file_exists(path))
            return path;
    }
    return {};
}

void TForm1::volstarterFinished(TObject*)
{
    volumeopen = false;
    Application->Restore();
}

// A program that is there but cannot be started must not leave the shell
// minimised with the button answering "allready loaded" for good.
void TForm1::volstarterError(TObject* sender) { volstarterFinished(sender); }
