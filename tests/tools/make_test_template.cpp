// Writes the rows of every kind through the designer's template writer, with a small file for
// every picture and sound they name, for the end-to-end tests:
//   make_test_template FOLDER SOUNDMODE TEMPLATE
#include "core/template/TemplateWriter.h"
#include "fakes/EveryKindOfRow.h"
#include "fakes/RealFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: make_test_template FOLDER SOUNDMODE TEMPLATE\n", stderr);
        return 2;
    }
    const std::string folder = std::filesystem::absolute(argv[1]).string() + "/";
    const auto rows = gf::test::EveryKindOfRow(folder);
    for (const auto& r : rows)
        for (const auto* path : {&r.imagePath, &r.soundPath}) {
            if (path->empty() || *path == "*")
                continue;
            std::filesystem::create_directories(std::filesystem::path(*path).parent_path());
            // Each file its own bytes, more than one block long.
            std::ofstream(*path, std::ios::binary) << std::string(1500, 'x') << *path;
        }
    const auto status =
        gf::WriteTemplateFile(gf::test::RealFiles(), argv[3], rows, std::atoi(argv[2]));
    if (!status) {
        std::fprintf(stderr, "make_test_template: %s\n", status.message().c_str());
        return 1;
    }
    return 0;
}
