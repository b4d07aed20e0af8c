#pragma once

// Owning handles for the Xlib and XRandR objects of our own connection. The
// types are only declared, so headers above the platform can hold them
// without Xlib's headers.
#include <memory>

typedef struct _XDisplay Display;
typedef struct _XRRScreenResources XRRScreenResources;

namespace platform::x11 {

struct Release {
    void operator()(::Display*) const;
    void operator()(XRRScreenResources*) const;
};
// Anything Xlib hands out to be released with XFree.
struct ReleaseWithXFree {
    void operator()(void*) const;
};

using DisplayPtr = std::unique_ptr<::Display, Release>;
using ScreenResourcesPtr = std::unique_ptr<XRRScreenResources, Release>;
template<class T>
using XFreePtr = std::unique_ptr<T, ReleaseWithXFree>;

}
