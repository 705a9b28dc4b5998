// Feeds arbitrary bytes to the show's picture decoder over Qt's image readers, as a folder show
// reads any file: whatever size a file declares, its decode stays within the budget. The peak
// resident size is checked after every input, in the corpus replay as under libFuzzer (whose
// -rss_limit_mb says the same while it runs).
#include "core/show/PictureLoader.h"
#include "posix/PosixFileSystem.h"
#include "qt/show/QtPictureDecoder.h"

#include <QCoreApplication>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The budget, the program itself and Qt's plugins.
constexpr long kMaxResidentKb = 600L * 1024;

// The file each input is written to, removed when the process ends.
struct Scratch {
    std::string path = "/tmp/picture_budget_qt_fuzz." + std::to_string(::getpid()) + ".img";
    ~Scratch() { std::remove(path.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "picture_budget_qt_fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // where Qt finds its image format plugins
    static gf::PosixFileSystem files;
    static const gf::QtPictureDecoder decoder(files, 15, 1.0);
    static const Scratch scratch;
    const std::string& path = scratch.path;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    const std::atomic<bool> never{false};
    const auto screen = [](const gf::PictureInfo& info) {
        return gf::FitInside({info.widthTwips, info.heightTwips}, {1920 * 15, 1080 * 15});
    };
    const auto outcome = decoder.decode(path, screen, never);
    // The bench (bench/decode_budget_bench.sh) says what became of each file.
    if (std::getenv("GLIMMERFRAME_SAY_OUTCOME"))
        std::printf("%s\n", outcome ? "decoded" : outcome.message().c_str());
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    if (usage.ru_maxrss > kMaxResidentKb) {
        std::fprintf(stderr, "A decode took %ld MB at its peak (at most %ld MB)\n",
                     usage.ru_maxrss / 1024, kMaxResidentKb / 1024);
        __builtin_trap();
    }
    return 0;
}
