// The main window's background music: the intro tune, the random tunes that
// follow each other, and the offer to remove tunes that cannot play; writes
// intromusic, musicfiles, musiccount and musiclisted.
#include "shell/TForm1.h"

#include "framework/Random.h"
#include "framework/TApplication.h"
#include "framework/Trace.h"
#include "platform/Files.h"
#include "sound/TuneList.h"

#include <chrono>
#include <ctime>
#include <exception>

namespace {

char const* const intro_tune = "pipkin.mid";

char const* const repair_question
    = "The MCI driver for midi-files is not properly installed. Midi files are music files that are used for "
      "background music. Do you want to disable the music?";
char const* const tunes_removed = "Please re-start this program. Midi-files have been removed.";
char const* const tunes_kept
    = "Not every music file could be removed: this user may not change the program's folder. The program goes on "
      "without music now and will ask again at its next start.";

// Milliseconds since local midnight.
std::uint32_t time_of_day_millis()
{
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local {};
    localtime_r(&seconds, &local);
    auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return std::uint32_t(((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + millis);
}

}

void TForm1::start_intro_music()
{
    if (!platform::files::file_exists(musicdir + intro_tune))
        return;
    intromusic = true;
    music.SetFileName(musicdir + intro_tune);
    try {
        music.Open();
        music.Play();
    } catch (std::exception const&) {
        offer_to_remove_tunes();
    }
}

// The device's own error is not shown: the question says what it means.
void TForm1::offer_to_remove_tunes()
{
    if (Application->MessageBox(TMsgDlgType::mtConfirmation, repair_question, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    // Where a tune stays, a restart would only ask again.
    if (!TuneList::remove_all(musicdir)) {
        Application->MessageBox(TMsgDlgType::mtInformation, tunes_kept, TMsgDlgButtons::mbOK);
        return;
    }
    Application->MessageBox(TMsgDlgType::mtInformation, tunes_removed, TMsgDlgButtons::mbOK);
    Close();
}

// Every notification comes here; only a play that reached the tune's end
// (not one superseded or aborted) moves the chain on.
void TForm1::musicNotify(TObject*)
{
    std::int32_t position = music.Position();
    if (position != music.Length())
        return;
    trace::event("music-end", { music.FileName() });
    PlayRandomMusic();
}

void TForm1::PlayRandomMusic()
{
    if (intromusic)
        return;
    if (!musiclisted) {
        musiccount = 0;
        for (auto& name : TuneList::names(musicdir))
            musicfiles[std::size_t(++musiccount)] = std::move(name);
        musiclisted = true;
    }
    RandSeed(time_of_day_millis());
    if (musiccount <= 1)
        return;
    music.Close();
    int index = Random(musiccount);
    music.SetFileName(musicdir + musicfiles[std::size_t(index + 1)]);
    music.Open();
    music.Rewind();
    music.Play();
}
