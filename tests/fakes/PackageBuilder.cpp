#include "fakes/PackageBuilder.h"

namespace gf::test {

BuiltPackage BuildPackage(const std::string& program, const std::vector<PackageItem>& items,
                          int soundMode, PackageTrailer settings) {
    BuiltPackage p;
    p.bytes = program;
    auto append = [&](const std::string& data, std::int64_t& start, std::int64_t& end) {
        start = static_cast<std::int64_t>(p.bytes.size()) + 1;
        p.bytes += data;
        p.bytes.resize((p.bytes.size() - static_cast<std::size_t>(start) + 1 + 1024) / 1025 * 1025 +
                           static_cast<std::size_t>(start) - 1,
                       '\0');
        end = static_cast<std::int64_t>(p.bytes.size()) + 1;
    };
    for (const auto& item : items) {
        PackageEntry e;
        if (!item.picture.empty())
            append(item.picture, e.pictureStart, e.pictureEnd);
        if (!item.sound.empty()) {
            append(item.sound, e.soundStart, e.soundEnd);
            e.soundExtension = item.soundExtension;
        }
        e.dissolve = item.dissolve;
        e.comment = item.comment;
        e.foreground = item.foreground;
        e.background = item.background;
        p.entries.push_back(e);
    }
    p.directoryPosition = static_cast<std::int64_t>(p.bytes.size()) + 1;
    p.bytes += FormatPackageDirectory(soundMode, p.entries);
    settings.directoryPosition = p.directoryPosition;
    settings.count = static_cast<std::int64_t>(items.size());
    p.bytes += FormatPackageTrailer(settings);
    return p;
}

} // namespace gf::test
