#include "ActivityPictures.h"

#include "activities/ActivityCatalogue.h"
#include "platform/Files.h"
#include "platform/ImageDecoder.h"
#include "resources/StoredPictures.h"

#include <algorithm>
#include <optional>

namespace {

enum class Source { menu, thinking, perception };

struct Cut {
    std::string_view zone;
    Source source;
    int x, y, w, h;
};

// The items' hot zones on the menu without their printed names, and the two
// halves of each overlay.
Cut const cuts[] = {
    { "Image1", Source::menu, 58, 208, 149, 112 },
    { "denke_but2", Source::thinking, 114, 0, 106, 110 },
    { "denke_but1", Source::thinking, 0, 0, 110, 110 },
    { "Image3", Source::menu, 450, 208, 165, 112 },
    { "Image6", Source::menu, 50, 378, 157, 130 },
    { "Image5", Source::menu, 234, 384, 181, 120 },
    { "persepsie_but2", Source::perception, 114, 0, 106, 110 },
    { "persepsie_but1", Source::perception, 0, 0, 110, 110 },
};

std::optional<std::vector<std::uint8_t>> source_data(Source source, std::string const& install_folder, bool afrikaans)
{
    if (source == Source::menu)
        return platform::files::read_all(
            platform::files::with_slash(install_folder) + "menu/m_14" + (afrikaans ? "a" : "e") + ".jpg");
    auto stored = resources::stored_picture(source == Source::thinking ? "denke_ovr.png" : "persepsie_ovr.png");
    return std::vector<std::uint8_t>(stored.begin(), stored.end());
}

platform::Bitmap decoded(std::vector<std::uint8_t> const& data)
{
    try {
        return platform::decode_picture(data);
    } catch (platform::DecodeError const&) {
    }
    return {};
}

}

ActivityPictures activity_pictures(std::string const& install_folder, bool afrikaans)
{
    std::array<platform::Bitmap, 3> sources;
    for (Source source : { Source::menu, Source::thinking, Source::perception })
        if (auto data = source_data(source, install_folder, afrikaans))
            sources[int(source)] = decoded(*data);
    ActivityPictures pictures;
    for (Cut const& cut : cuts) {
        int const slot = activity_catalogue::row_of(cut.zone)->slot;
        platform::Bitmap const& whole = sources[int(cut.source)];
        // A picture smaller than expected gives what it has.
        int const w = std::min(cut.w, whole.width - cut.x), h = std::min(cut.h, whole.height - cut.y);
        if (w <= 0 || h <= 0)
            continue;
        pictures[slot] = platform::Bitmap(w, h, 0);
        pictures[slot].copy_from(whole, cut.x, cut.y, w, h, 0, 0);
    }
    return pictures;
}
