// The main window's background music: the intro tune and the tunes that
// follow it.
#include "shell/TForm1.h"

// FIXME: the intro tune comes with the background music.
void TForm1::start_intro_music() { }
