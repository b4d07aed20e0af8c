#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace platform::x11 {

struct ReleaseWithFree {
    void operator()(void* p) const { std::free(p); }
};

template<class Reply>
using XcbReply = std::unique_ptr<Reply, ReleaseWithFree>;

// The reply to a question asked through XCB, or null when the server
// answered with an error: the error is taken here, so it never reaches Xlib's
// handler, which would end the process.
template<class Reply, class Cookie>
XcbReply<Reply> answer(
    xcb_connection_t* c, Cookie asked, Reply* (*reply_of)(xcb_connection_t*, Cookie, xcb_generic_error_t**))
{
    xcb_generic_error_t* error = nullptr;
    XcbReply<Reply> reply(reply_of(c, asked, &error));
    std::free(error);
    return reply;
}

}
