#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Only the platform stand-in and its own tests (and the build tools, and the
// end-to-end tests' X clients) may see the third-party libraries; the toolkit
// must not reach up into the program's features.
std::regex const third_party(R"(^(SDL[^/]*\.h|SDL2/|X11/|jpeglib\.h|jerror\.h|png\.h|pngconf\.h|fluidsynth|fontconfig/))");
std::regex const feature(R"(^(shell|widgets|services|sound|activities|desktop|farewell|resources)/)");
// The operating system's own interfaces are the platform's too, in the
// program. Exceptions: the guardian's programs (src/guardian/), small programs
// of their own, the waiter on the C library alone; and the tests, benchmarks
// and fuzzers, which fork, pipe and time the program from outside.
std::regex const posix(
    R"(^((unistd|fcntl|dirent|poll|signal|spawn|dlfcn|pthread|pwd|grp|termios|sched|semaphore|malloc)\.h$|sys/))");
std::regex const include_line(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");

bool is_source(fs::path const& p)
{
    auto ext = p.extension();
    return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".c";
}

// "file: include" for every include that breaks the layering, below root.
std::vector<std::string> violations(fs::path const& root)
{
    std::vector<std::string> found;
    for (char const* top : { "src", "tests", "bench", "fuzz" }) {
        if (!fs::is_directory(root / top))
            continue;
        for (auto const& entry : fs::recursive_directory_iterator(root / top)) {
            if (!entry.is_regular_file() || !is_source(entry.path()))
                continue;
            std::string rel = entry.path().lexically_relative(root).generic_string();
            // The end-to-end tests' own X clients (a stand-in dock) and the
            // benchmarks' measuring tools are peers of the shell on the X
            // server, not parts of it.
            if (rel.starts_with("src/platform/") || rel.starts_with("tests/platform/") || rel.starts_with("tests/e2e/X")
                || rel.starts_with("bench/tools/"))
                continue;
            bool framework = rel.starts_with("src/framework/");
            bool program = rel.starts_with("src/") && !rel.starts_with("src/guardian/");
            std::ifstream in(entry.path());
            std::string line;
            std::smatch m;
            while (std::getline(in, line)) {
                if (!std::regex_search(line, m, include_line))
                    continue;
                std::string header = m[1];
                if (std::regex_search(header, third_party) || (framework && std::regex_search(header, feature))
                    || (program && std::regex_search(header, posix)))
                    found.push_back(rel + ": " + header);
            }
        }
    }
    return found;
}

}

TEST(Layering, TheTreeKeepsItsLayers)
{
    fs::path root = SPROUT_SOURCE_ROOT;
    ASSERT_TRUE(fs::is_directory(root / "src" / "framework")) << root;
    EXPECT_EQ(violations(root), std::vector<std::string> {});
}

TEST(Layering, TheCheckFindsWhatBreaksThem)
{
    TempFolder tree;
    tree.write("src/platform/sdl/Window.cpp", "#include <SDL.h>\n#include <X11/Xlib.h>\n");
    tree.write("tools/artgen/Surface.cpp", "#include <jpeglib.h>\n");
    tree.write("src/framework/TEdit.cpp", "#include \"platform/Cp1252.h\"\n#include \"shell/TForm1.h\"\n");
    tree.write("src/shell/TForm1.cpp", "#include \"widgets/TImageBut.h\"\n  #  include <SDL_ttf.h>\n");
    tree.write("src/widgets/Png.cpp", "#include <png.h>\n#include <fontconfig/fontconfig.h>\n");
    tree.write("tests/Sound.cpp", "#include <fluidsynth.h>\n#include <SDL2/SDL.h>\n#include <unistd.h>\n");
    tree.write("src/activities/Register.cpp", "#include <fcntl.h>\n#include <sys/stat.h>\n#include <cerrno>\n");
    tree.write("src/platform/posix/Files.cpp", "#include <fcntl.h>\n#include <dirent.h>\n");
    tree.write("src/guardian/waiter.cpp", "#include <unistd.h>\n#include <sys/socket.h>\n");
    auto found = violations(tree.path());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found,
        (std::vector<std::string> {
            "src/activities/Register.cpp: fcntl.h",
            "src/activities/Register.cpp: sys/stat.h",
            "src/framework/TEdit.cpp: shell/TForm1.h",
            "src/shell/TForm1.cpp: SDL_ttf.h",
            "src/widgets/Png.cpp: fontconfig/fontconfig.h",
            "src/widgets/Png.cpp: png.h",
            "tests/Sound.cpp: SDL2/SDL.h",
            "tests/Sound.cpp: fluidsynth.h",
        }));
}
