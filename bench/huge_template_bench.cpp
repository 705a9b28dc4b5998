// Templates of 10 MB: short items spread over 501 slides, and words on one slide. Times what the
// show, the designer and --list do with them, and how much of the text the comment label measures.
// Usage: huge_template_bench [FOLDER] (default: the system's temporary folder).
#include "Seconds.h"
#include "core/picture/PictureTypes.h"
#include "core/show/CommentFit.h"
#include "core/startup/SlideListJson.h"
#include "core/template/DesignerTemplateReader.h"
#include "core/template/SlideListLoader.h"
#include "core/text/TextFile.h"
#include "posix/PosixFileSystem.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSize = 10 * 1024 * 1024;

// 501 slides, each followed by its share of short comment items, a few to a line.
std::string ShortItems() {
    std::string t = "SOUNDSYNC=1\r\n";
    const std::size_t perSlide = kSize / 501;
    for (int s = 0; s < 501; ++s) {
        t += "IMAGE=p" + std::to_string(s) + ".jpg\r\n";
        const std::size_t end = t.size() + perSlide;
        for (int i = 0; t.size() < end; ++i)
            t += i % 4 == 3 ? "ab\r\n" : "ab,";
    }
    return t;
}

// One slide whose comment is 10 MB of words on lines of ten.
std::string Words() {
    std::string t = "IMAGE=p.jpg\r\n";
    for (int i = 0; t.size() < kSize; ++i)
        t += i % 10 == 9 ? "word\r\n" : "word ";
    return t;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    gf::PosixFileSystem files;
    std::printf("%-12s %9s %9s %9s %9s %12s\n", "template", "show s", "designer s", "--list s",
                "label s", "measured");
    for (const auto& [name, text] : {std::pair{"short items", ShortItems()}, {"words", Words()}}) {
        const fs::path file = folder / "glimmerframe-huge-template.txt";
        std::ofstream(file, std::ios::binary).write(text.data(), std::streamsize(text.size()));
        gf::SlideList list;
        const double show = gf::bench::Seconds([&] {
            gf::Settings settings;
            settings.ImagePath = folder.string();
            settings.ImageListFile = file.filename().string();
            (void)gf::LoadSlideList(files, settings, list, gf::PicturePatterns());
        });
        const double designer =
            gf::bench::Seconds([&] { (void)gf::ReadDesignerTemplate(files, file.string(), 1); });
        const double listing = gf::bench::Seconds(
            [&] { (void)gf::ListSlideSource(files, gf::PicturePatterns(), file.string(), ""); });
        // Every slide's comment on a 1920 x 1080 screen, a measurement costing what the text's
        // length does.
        std::size_t measured = 0;
        const double label = gf::bench::Seconds([&] {
            for (std::size_t i = 0; i < list.images.size(); ++i)
                (void)gf::FitComment(list.at(i).comment, true, {1900 * 15, 50},
                                     [&measured](std::string_view s) {
                                         measured += s.size();
                                         return std::int32_t(s.size()) * 120;
                                     });
        });
        std::printf("%-12s %9.3f %9.3f %9.3f %9.3f %10zu B\n", name, show, designer, listing, label,
                    measured);
        fs::remove(file);
    }
    return 0;
}
