// The package trailer and directory readers, and extraction of every entry they accept.
#include "core/package/PackageReader.h"
#include "core/package/TempFolder.h"
#include "posix/PosixFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

gf::PosixFileSystem files;

// One folder per fuzzing process, removed when it ends; in memory where that is possible, since
// every input is written out as a file.
gf::TempFolder& folder() {
    static auto f = [] {
        // Made before the folder, so it is removed after it.
        static struct Shm {
            std::string path = "/dev/shm/glimmerframe-fuzz-" + std::to_string(::getpid());
            ~Shm() { ::rmdir(path.c_str()); }
        } shm;
        if (::mkdir(shm.path.c_str(), 0700) == 0)
            ::setenv("XDG_RUNTIME_DIR", shm.path.c_str(), 1);
        auto r = gf::TempFolder::Create(files);
        if (!r)
            std::abort();
        return std::move(r.value());
    }();
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string package = folder().path() + "input.scr";
    std::FILE* f = std::fopen(package.c_str(), "wb");
    if (!f)
        std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    gf::Settings settings;
    gf::ReadSCRConfig(files, package, settings);

    gf::PackageReader reader(files, package, folder().path());
    gf::SlideList list;
    if (!reader.ReadSCR(list)) {
        if (!list.images.empty())
            std::abort();
        return 0;
    }
    if (list.images.size() > gf::kMaxPackageEntries)
        std::abort();
    for (int i = 0; i < static_cast<int>(list.images.size()); ++i) {
        reader.LoadImbeddedImage(i, {});
        const auto sound = reader.LoadImbeddedSound(i, {});
        if (!sound.empty() && sound.rfind(folder().path() + "Glimmerframe.", 0) != 0)
            std::abort();
        if (sound.find('/', folder().path().size()) != std::string::npos)
            std::abort();
    }
    return 0;
}
