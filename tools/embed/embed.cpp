// Writes a C++ source that embeds every file of a folder and looks them up by
// file name (resources::stored_picture).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: sprout-embed OUTPUT.cpp FOLDER\n";
        return 2;
    }
    std::vector<fs::path> files;
    for (auto const& entry : fs::directory_iterator(argv[2]))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    fs::create_directories(fs::path(argv[1]).parent_path());
    std::ofstream out(argv[1], std::ios::trunc);
    out << "#include \"resources/StoredPictures.h\"\n#include <array>\n#include <utility>\n\nnamespace {\n";
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::ifstream in(files[i], std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
        out << "const std::uint8_t data" << i << "[] = {";
        for (std::size_t b = 0; b < bytes.size(); ++b)
            out << (b % 24 ? "" : "\n") << int(bytes[b]) << ',';
        out << "0};\n";
        out << "constexpr std::size_t size" << i << " = " << bytes.size() << ";\n";
    }
    out << "struct Entry { std::string_view name; const std::uint8_t* data; std::size_t size; };\n";
    out << "const Entry entries[] = {\n";
    for (std::size_t i = 0; i < files.size(); ++i)
        out << "    {\"" << files[i].filename().string() << "\", data" << i << ", size" << i << "},\n";
    out << "    {\"\", nullptr, 0}};\n}\n\n";
    out << "namespace resources {\n"
           "std::span<const std::uint8_t> stored_picture(std::string_view name)\n{\n"
           "    for (auto const& e : entries)\n"
           "        if (e.data && e.name == name)\n"
           "            return {e.data, e.size};\n"
           "    return {};\n}\n}\n";
    return out ? 0 : 1;
}
