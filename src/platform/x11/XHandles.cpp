#include "platform/x11/XHandles.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace platform::x11 {

void Release::operator()(::Display* d) const { XCloseDisplay(d); }
void Release::operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
void ReleaseWithXFree::operator()(void* p) const { XFree(p); }

}
