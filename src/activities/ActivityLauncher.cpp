// The main window's start of the activity chosen on the menu; writes the
// activity fields.
#include "shell/TForm1.h"

// FIXME: the start itself comes with the activity launcher; until then the
// tick only ends the one-shot wait.
void TForm1::executetimerTimer(TObject*) { executetimer.SetEnabled(false); }
