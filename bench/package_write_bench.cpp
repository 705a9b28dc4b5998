// Writing a package of about 90 MB of pictures, against cp of the same bytes in the same run.
// Usage: package_write_bench [FOLDER] (default: the system's temporary folder).
#include "Seconds.h"
#include "core/package/PackageWriter.h"
#include "posix/PosixFileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

void writeRandom(const fs::path& p, std::size_t size, std::mt19937& rng) {
    std::vector<char> bytes(size);
    for (auto& b : bytes)
        b = static_cast<char>(rng());
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

} // namespace

int main(int argc, char** argv) {
    gf::PosixFileSystem files;
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path dir = base / ("gf-write-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir / "cp");
    std::mt19937 rng(7);

    const auto program = dir / "glimmerframe";
    writeRandom(program, 5'000'000, rng);
    std::vector<gf::DesignerRow> rows;
    std::string cpArgs = "'" + program.string() + "'";
    for (int i = 0; i < 30; ++i) {
        const auto p = dir / ("picture" + std::to_string(i) + ".jpg");
        writeRandom(p, 2'800'000 + static_cast<std::size_t>(i) * 1000, rng);
        gf::DesignerRow r;
        r.imageName = p.filename().string();
        r.imagePath = p.string();
        r.foreground = "White";
        r.background = "Black";
        rows.push_back(r);
        cpArgs += " '" + p.string() + "'";
    }
    const std::string cpCommand = "cp " + cpArgs + " '" + (dir / "cp").string() + "/'";
    const std::string cpSyncCommand = cpCommand + " && sync -f '" + (dir / "cp").string() + "'";

    gf::PackageWriteRequest request;
    request.programPath = program.string();
    request.rows = rows;
    request.targetPath = (dir / "show.scr").string();
    request.settings.ImageInterval = 10;

    double bestWrite = 1e9, bestCp = 1e9, bestCpSync = 1e9;
    std::uint64_t size = 0;
    for (int round = 0; round < 3; ++round) {
        fs::remove(request.targetPath);
        bestWrite = std::min(bestWrite, gf::bench::Seconds([&] {
                                 auto w = gf::WritePackage(files, request);
                                 if (!w) {
                                     std::fprintf(stderr, "%s\n", w.message().c_str());
                                     std::exit(1);
                                 }
                                 size = w->size;
                             }));
        fs::remove_all(dir / "cp");
        fs::create_directories(dir / "cp");
        bestCp =
            std::min(bestCp, gf::bench::Seconds([&] { (void)std::system(cpCommand.c_str()); }));
        fs::remove_all(dir / "cp");
        fs::create_directories(dir / "cp");
        bestCpSync = std::min(
            bestCpSync, gf::bench::Seconds([&] { (void)std::system(cpSyncCommand.c_str()); }));
    }
    std::printf("package of %.1f MB (30 pictures after a 5 MB program), best of 3\n", size / 1e6);
    std::printf("  WritePackage (flushed to disk, renamed): %.3f s\n", bestWrite);
    std::printf("  cp of the same files:                    %.3f s  (ratio %.2f)\n", bestCp,
                bestWrite / bestCp);
    std::printf("  cp, then sync of that folder:            %.3f s  (ratio %.2f)\n", bestCpSync,
                bestWrite / bestCpSync);
    fs::remove_all(dir);
    return 0;
}
