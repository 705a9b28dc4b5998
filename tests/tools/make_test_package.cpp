// Writes a stand-alone package for the end-to-end tests with the package test helper:
//   make_test_package PROGRAM OUTPUT INTERVAL DELAY PICTURE:DISSOLVE:BACKGROUND...
#include "fakes/PackageBuilder.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {
bool ReadAll(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fputs("usage: make_test_package PROGRAM OUTPUT INTERVAL DELAY "
                   "PICTURE:DISSOLVE:BACKGROUND...\n",
                   stderr);
        return 2;
    }
    std::string program;
    if (!ReadAll(argv[1], program)) {
        std::fprintf(stderr, "make_test_package: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<gf::test::PackageItem> items;
    for (int i = 5; i < argc; ++i) {
        std::stringstream entry(argv[i]);
        std::string picture, dissolve, background;
        std::getline(entry, picture, ':');
        std::getline(entry, dissolve, ':');
        std::getline(entry, background, ':');
        gf::test::PackageItem item;
        if (!ReadAll(picture, item.picture)) {
            std::fprintf(stderr, "make_test_package: cannot read %s\n", picture.c_str());
            return 1;
        }
        item.dissolve = dissolve;
        item.background = background.empty() ? "Black" : background;
        items.push_back(std::move(item));
    }
    gf::PackageTrailer settings;
    settings.ImageInterval = std::stoi(argv[3]);
    settings.DissolveDelay = std::stoi(argv[4]);
    settings.MouseSensitivity = 100;
    const auto built = gf::test::BuildPackage(program, items, 1, settings);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(built.bytes.data(), std::streamsize(built.bytes.size()));
    return out ? 0 : 1;
}
