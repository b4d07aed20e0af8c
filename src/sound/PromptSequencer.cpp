// The main window's voice prompt sequencer and effect sounds; writes the
// prompt fields, playerstate and, at the end of a sequence, the menu's spoken
// and instruction flags.
#include "shell/TForm1.h"

#include "framework/Trace.h"
#include "platform/Files.h"
#include "framework/BadFile.h"
#include "sound/SoundName.h"

#include <exception>

namespace {

// A sound file that cannot be decoded is reported and treated as missing.
bool opened(TAnyPlayer& player)
{
    try {
        player.Open();
        return true;
    } catch (std::exception const& e) {
        report_bad_file(player.Filename(), e.what());
        return false;
    }
}

}

void TForm1::PlayEffect(std::string const& name)
{
    std::string path = SoundName::path(fxdir, name);
    if (!platform::files::file_exists(path))
        return;
    // Opened first: an effect that cannot be decoded is skipped like a
    // missing one, before anything it would stop.
    splayer.SetFilename(path);
    if (!opened(splayer))
        return;
    playerstate = -1;
    vplayer.Stop();
    // Re-entrant: the mascot's frame serves pending events, so a click or a
    // move handler may run here, inside the handler that plays the effect.
    AntAnimate1.StopTalking();
    NotifyEndTimer.SetEnabled(false);
    playnextvoicetimer.SetEnabled(false);
    splayer.Play();
    playerstate = 2;
    trace::event("effect", { path });
}

void TForm1::PlayVoice(std::string const& name, bool continue_)
{
    std::string path = SoundName::path(voicedir, name);
    // Opened before the state changes, so a file that cannot be decoded takes
    // the path of a missing one.
    bool playable = false;
    if (platform::files::file_exists(path)) {
        vplayer.SetFilename(path);
        playable = opened(vplayer);
    }
    if (playable) {
        playerstate = -1;
        NotifyEndTimer.SetEnabled(false);
        playnextvoicetimer.SetEnabled(false);
        vplayer.Play();
        playerstate = 1;
        promptcontinue = continue_;
        AntAnimate1.StartTalking();
        trace::event("voice", { path });
    } else if (promptcount > 1 && promptpos < promptcount) {
        // A missing entry that is not the last becomes a silent step.
        playerstate = 3;
        NotifyEndTimer.SetEnabled(false);
        playnextvoicetimer.SetEnabled(false);
        promptcontinue = continue_;
        NotifyEndTimer.SetInterval(100);
        NotifyEndTimer.SetEnabled(true);
    }
}

void TForm1::PlayPromptStep(std::int32_t index)
{
    promptdelay = prompts[index].pause;
    PlayVoice(prompts[index].name, true);
}

void TForm1::StartPrompts(std::string const& file1, std::int32_t pause1, std::string const& file2, std::int32_t pause2)
{
    prompts[1] = { file1, pause1 };
    prompts[2] = { file2, pause2 };
    promptcount = 2;
    promptpos = 1;
    PlayPromptStep(1);
}

void TForm1::vplayerEndPlay(TObject*)
{
    trace::event("voice-end", { vplayer.Filename() });
    AntAnimate1.StopTalking();
    NotifyEndTimer.SetEnabled(true);
}

void TForm1::NotifyEndTimerTimer(TObject*)
{
    NotifyEndTimer.SetEnabled(false);
    if (playerstate == 1)
        AntAnimate1.StopTalking();
    if (!promptcontinue)
        return;
    if (promptpos < promptcount) {
        ++promptpos;
        if (promptdelay <= 0) {
            PlayPromptStep(promptpos);
        } else {
            playnextvoicetimer.SetInterval(std::uint32_t(promptdelay));
            playnextvoicetimer.SetEnabled(true);
        }
        return;
    }
    if (instructionplaying) {
        instructiongiven = true;
        instructionplaying = false;
    }
    for (std::size_t i = 1; i < pendingspoken.size(); ++i) {
        if (pendingspoken[i]) {
            spoken[i] = true;
            pendingspoken[i] = false;
        }
    }
    trace::event("prompts-end");
}

void TForm1::playnextvoicetimerTimer(TObject*)
{
    playnextvoicetimer.SetEnabled(false);
    PlayPromptStep(promptpos);
}
