#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The tunes of a music folder, by name. The random chain picks from plain
// "*.mid" files in the order the listing gives them; hidden files, folders
// and links to folders are no tunes.
class TuneList {
public:
    // The slots of the window's tune list.
    static constexpr std::size_t slots = 50;

    // At most `limit` names: the listing stops when the slots are full.
    static std::vector<std::string> names(std::string const& folder, std::size_t limit = slots);
    // Deletes every "*.mid" entry, hidden ones included; an entry that
    // cannot be deleted (a folder, say) is passed over. False when a tune is
    // left (in a folder the user may not change, say).
    static bool remove_all(std::string const& folder);
};
