#pragma once

#include "XServer.h"

#include "platform/Bitmap.h"

#include <functional>
#include <string>

// What the end-to-end tests share: pictures of the X server's screen.
namespace e2e {

platform::Bitmap screenshot(XServer const&, std::string const& folder);
// A frame reaches the X server a little after the shell has drawn it: takes
// screenshots until `looks_right` holds, or gives the last one.
platform::Bitmap settled_screenshot(XServer const&, std::string const& folder,
    std::function<bool(platform::Bitmap const&)> const& looks_right);
// The largest difference of one colour channel.
int channel_distance(std::uint32_t a, std::uint32_t b);

}
