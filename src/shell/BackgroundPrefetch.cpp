#include "shell/BackgroundPrefetch.h"

#include "platform/Files.h"
#include "platform/ImageDecoder.h"

BackgroundPrefetch::~BackgroundPrefetch() { finish(); }

void BackgroundPrefetch::start(std::string path)
{
    finish();
    m_picture.reset();
    m_path = std::move(path);
    m_worker = std::thread([this, path = m_path] {
        try {
            if (auto data = platform::files::read_all(path))
                m_picture = platform::decode_jpeg(*data);
        } catch (...) {
            // Left to the caller's own load, which reports the file.
        }
    });
}

std::optional<platform::Bitmap> BackgroundPrefetch::take(std::string const& path)
{
    finish();
    std::optional<platform::Bitmap> picture;
    if (path == m_path)
        picture.swap(m_picture);
    m_path.clear();
    return picture;
}

void BackgroundPrefetch::finish()
{
    if (m_worker.joinable())
        m_worker.join();
}
