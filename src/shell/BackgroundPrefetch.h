#pragma once

#include "platform/Bitmap.h"

#include <optional>
#include <string>
#include <thread>

// Decodes the next background picture on a worker while the present one is
// shown, so a tick of the intro only swaps pictures and its frames stay on
// time. One picture at a time; the worker ends with its decode.
class BackgroundPrefetch {
public:
    BackgroundPrefetch() = default;
    ~BackgroundPrefetch();
    BackgroundPrefetch(BackgroundPrefetch const&) = delete;
    BackgroundPrefetch& operator=(BackgroundPrefetch const&) = delete;

    // Starts decoding the file at `path`, dropping any earlier prefetch.
    void start(std::string path);
    // The decoded picture when `path` is the one prefetched and it decoded;
    // nothing otherwise, and the caller loads the file itself.
    std::optional<platform::Bitmap> take(std::string const& path);

private:
    void finish();

    std::string m_path;
    std::thread m_worker;
    std::optional<platform::Bitmap> m_picture;
};
