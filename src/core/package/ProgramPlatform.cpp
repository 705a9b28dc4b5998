#include "core/package/ProgramPlatform.h"

#include "core/files/BinaryFile.h"
#include "core/files/ByteReader.h"

#include <algorithm>
#include <vector>

namespace gf {

namespace {

constexpr std::string_view kUnknown = "unknown";

// A Windows program: the DOS header's "MZ", at 0x3C the offset of "PE\0\0" and the machine.
std::string windowsPlatform(std::span<const std::byte> start) {
    ByteReader r(start);
    r.seek(0x3C);
    const std::uint32_t peHeader = r.u32();
    r.seek(peHeader);
    const std::uint32_t signature = r.u32();
    const std::uint16_t machine = r.u16();
    if (r.failed() || signature != 0x00004550)
        return std::string(kUnknown);
    switch (machine) {
    case 0x8664:
        return "windows-x64";
    case 0x014C:
        return "windows-x86";
    case 0xAA64:
        return "windows-arm64";
    default:
        return std::string(kUnknown);
    }
}

// An ELF program: the machine at 18, in the byte order that byte 5 names.
std::string elfPlatform(std::span<const std::byte> start) {
    ByteReader r(start);
    r.seek(5);
    const std::uint8_t order = r.u8();
    r.seek(18);
    std::uint16_t machine = r.u16();
    if (r.failed() || (order != 1 && order != 2))
        return std::string(kUnknown);
    if (order == 2)
        machine = static_cast<std::uint16_t>((machine >> 8) | (machine << 8));
    switch (machine) {
    case 62:
        return "linux-x86_64";
    case 3:
        return "linux-x86";
    case 183:
        return "linux-arm64";
    case 40:
        return "linux-arm";
    default:
        return std::string(kUnknown);
    }
}

bool startsWith(std::span<const std::byte> bytes, std::string_view mark) {
    return bytes.size() >= mark.size() &&
           std::equal(mark.begin(), mark.end(), bytes.begin(),
                      [](char c, std::byte b) { return static_cast<std::byte>(c) == b; });
}

} // namespace

std::string ProgramPlatform(std::span<const std::byte> start) {
    start = start.first(std::min(start.size(), kProgramHeaderWindow));
    if (startsWith(start, "MZ"))
        return windowsPlatform(start);
    if (startsWith(start, "\x7F"
                          "ELF"))
        return elfPlatform(start);
    return std::string(kUnknown);
}

std::string ProgramPlatform(FileSystem& files, std::string_view path) {
    auto file = BinaryFile::open(files, path);
    if (!file)
        return std::string(kUnknown);
    std::vector<std::byte> start(std::min<std::uint64_t>(file->size(), kProgramHeaderWindow));
    if (!file->readAt(0, start))
        return std::string(kUnknown);
    return ProgramPlatform(start);
}

} // namespace gf
