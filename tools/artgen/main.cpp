// Draws the pictures stored with the forms' design, or the whole demo install
// package (pictures, voices, sounds and tunes).
// usage: sprout-artgen design FOLDER
//        sprout-artgen package FOLDER
//        sprout-artgen icons FOLDER    (the program's icon in the hicolor theme's folders)
#include "AppIcon.h"
#include "DesignPictures.h"
#include "PackagePictures.h"
#include "SoundMaker.h"
#include "Tunes.h"

#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    std::string const command = argc == 3 ? argv[1] : "";
    if (command != "design" && command != "package" && command != "icons") {
        std::cerr << "usage: sprout-artgen design|package|icons FOLDER\n";
        return 2;
    }
    std::string folder = argv[2];
    try {
        std::filesystem::create_directories(folder);
        if (command == "design") {
            write_design_pictures(folder);
        } else if (command == "icons") {
            write_app_icons(folder, "pipkin-sprout");
        } else {
            write_screen_pictures(folder);
            write_mascot_frames(folder);
            write_farewell_pictures(folder);
            write_tunes(folder);
            SoundMaker sounds(folder);
            sounds.write_voices();
            sounds.write_effects();
        }
    } catch (std::exception const& e) {
        std::cerr << "sprout-artgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
