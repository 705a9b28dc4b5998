#include "core/package/PackageProgram.h"
#include "core/package/ProgramPlatform.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace gf {
namespace {

std::vector<std::byte> Bytes(std::size_t size) {
    return std::vector<std::byte>(size);
}
void Put(std::vector<std::byte>& b, std::size_t at, std::uint32_t v, int width) {
    for (int i = 0; i < width; ++i)
        b[at + i] = std::byte((v >> (8 * i)) & 0xFF);
}
void Put(std::vector<std::byte>& b, std::size_t at, std::string_view text) {
    std::memcpy(b.data() + at, text.data(), text.size());
}
// A Windows program's header with "PE\0\0" at `peAt`, in a file of `size` bytes.
std::vector<std::byte> Pe(std::uint16_t machine, std::size_t peAt = 0x80,
                          std::size_t size = 0x200) {
    auto b = Bytes(size);
    Put(b, 0, "MZ");
    Put(b, 0x3C, static_cast<std::uint32_t>(peAt), 4);
    if (peAt + 6 <= size) {
        Put(b, peAt, std::string_view("PE\0\0", 4));
        Put(b, peAt + 4, machine, 2);
    }
    return b;
}
std::vector<std::byte> Elf(std::uint16_t machine, bool bigEndian = false, std::size_t size = 64) {
    auto b = Bytes(size);
    Put(b, 0,
        "\x7F"
        "ELF");
    b[5] = std::byte(bigEndian ? 2 : 1);
    if (size >= 20)
        Put(b, 18, bigEndian ? std::uint16_t((machine >> 8) | (machine << 8)) : machine, 2);
    return b;
}

TEST(ProgramPlatform, ReadsTheMachineOfWindowsAndLinuxProgramsWithinTheirBytes) {
    EXPECT_EQ(ProgramPlatform(Pe(0x8664)), "windows-x64");
    EXPECT_EQ(ProgramPlatform(Pe(0x014C)), "windows-x86");
    EXPECT_EQ(ProgramPlatform(Pe(0x0200)), "unknown"); // Itanium: no program of ours
    EXPECT_EQ(ProgramPlatform(Elf(62)), "linux-x86_64");
    EXPECT_EQ(ProgramPlatform(Elf(62, true)), "linux-x86_64");
    EXPECT_EQ(ProgramPlatform(Elf(3)), "linux-x86");
    // The header's last byte at the end of the file, and one byte short.
    EXPECT_EQ(ProgramPlatform(Pe(0x8664, 0x80, 0x86)), "windows-x64");
    EXPECT_EQ(ProgramPlatform(Pe(0x8664, 0x80, 0x85)), "unknown");
    EXPECT_EQ(ProgramPlatform(Elf(62, false, 20)), "linux-x86_64");
    EXPECT_EQ(ProgramPlatform(Elf(62, false, 19)), "unknown");
    // Only the first 4096 bytes are looked at: a header that ends there, and one past it.
    EXPECT_EQ(ProgramPlatform(Pe(0x8664, kProgramHeaderWindow - 6, 8192)), "windows-x64");
    EXPECT_EQ(ProgramPlatform(Pe(0x8664, kProgramHeaderWindow - 5, 8192)), "unknown");
    // Offsets that wrap or point nowhere, a wrong signature, no program at all.
    EXPECT_EQ(ProgramPlatform(Pe(0x8664, 0xFFFFFFFC)), "unknown");
    auto notPe = Pe(0x8664);
    Put(notPe, 0x80, "NE");
    EXPECT_EQ(ProgramPlatform(notPe), "unknown");
    auto badOrder = Elf(62);
    badOrder[5] = std::byte(3);
    EXPECT_EQ(ProgramPlatform(badOrder), "unknown");
    EXPECT_EQ(ProgramPlatform(Bytes(0)), "unknown");
    EXPECT_EQ(ProgramPlatform(Bytes(64)), "unknown");

    test::ScratchDir scratch("gf-platform");
    const auto pe = Pe(0x014C);
    const auto path = scratch.write(
        "old.scr", std::string_view(reinterpret_cast<const char*>(pe.data()), pe.size()));
    auto& files = test::RealFiles();
    EXPECT_EQ(ProgramPlatform(files, path), "windows-x86");
    EXPECT_EQ(ProgramPlatform(files, path + ".missing"), "unknown");
}

TEST(PackageProgram, AWindowsProgramIsFoundBesideTheProgramOrInItsInstallation) {
    EXPECT_EQ(PackageProgramNamed("linux"), PackageProgram::ThisProgram);
    EXPECT_EQ(PackageProgramNamed("windows-x64"), PackageProgram::WindowsX64);
    EXPECT_EQ(PackageProgramNamed("windows-x86"), PackageProgram::WindowsX86);
    for (const char* wrong : {"", "windows", "Windows-x64", "windows-x64 ", "win64"})
        EXPECT_FALSE(PackageProgramNamed(wrong)) << wrong;

    test::ScratchDir scratch("gf-programs");
    auto& files = test::RealFiles();
    const std::string program = scratch.write("usr/bin/glimmerframe", "elf");
    EXPECT_EQ(*FindPackageProgram(files, PackageProgram::ThisProgram, program), program);

    const std::string x64 = test::Native("windows/x64/glimmerframe.scr");
    const std::string besideX64 = scratch.path().string() + test::Native("/usr/bin/") + x64;
    const std::string installedX64 =
        scratch.path().string() + test::Native("/usr/share/glimmerframe/") + x64;
    const auto missing = FindPackageProgram(files, PackageProgram::WindowsX64, program);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.kind(), ErrorKind::NotFound);
    EXPECT_NE(missing.message().find("no 64-bit Windows program"), std::string::npos);
    EXPECT_NE(missing.message().find(besideX64 + " and " + installedX64 + "."), std::string::npos)
        << missing.message();

    scratch.write("usr/share/glimmerframe/windows/x64/glimmerframe.scr", "MZ");
    EXPECT_EQ(*FindPackageProgram(files, PackageProgram::WindowsX64, program), installedX64);
    scratch.write("usr/bin/windows/x64/glimmerframe.scr", "MZ"); // a build tree's comes first
    EXPECT_EQ(*FindPackageProgram(files, PackageProgram::WindowsX64, program), besideX64);
    // Each architecture is its own file; a folder of that name is no program.
    scratch.write("usr/bin/windows/x86/glimmerframe.scr/inside", "MZ");
    EXPECT_FALSE(FindPackageProgram(files, PackageProgram::WindowsX86, program));
}

} // namespace
} // namespace gf
