#pragma once

namespace platform {

// SDL's video, started with the hints the shell's window needs and ended
// with the object. Its start is the longest step on the way to the first
// frame, so it stands alone: other work can go on beside it. Every SdlWindow
// lives within one.
class SdlVideo {
public:
    SdlVideo();
    ~SdlVideo();
    SdlVideo(SdlVideo const&) = delete;
    SdlVideo& operator=(SdlVideo const&) = delete;
};

}
