#include "Screenshots.h"

#include "platform/ImageDecoder.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace e2e {

platform::Bitmap screenshot(XServer const& x, std::string const& folder)
{
    std::string path = folder + "/shot.png";
    x.run("import -window root " + path);
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), {});
    return platform::decode_png(data);
}

platform::Bitmap settled_screenshot(XServer const& x, std::string const& folder,
    std::function<bool(platform::Bitmap const&)> const& looks_right)
{
    platform::Bitmap shot;
    for (int attempt = 0; attempt < 30; ++attempt) {
        shot = screenshot(x, folder);
        if (looks_right(shot))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return shot;
}

int channel_distance(std::uint32_t a, std::uint32_t b)
{
    int d = 0;
    for (int shift : { 0, 8, 16 })
        d = std::max(d, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
    return d;
}

}
