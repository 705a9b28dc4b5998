#include "fakes/PlatformFiles.h"

#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32
#include "windows/CurrentUser.h"
#include "windows/Utf16.h"

#include <aclapi.h>
#include <windows.h>
#else
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace gf::test {

#ifdef _WIN32

namespace {

constexpr const wchar_t* kRootVariable = L"TMP";

std::wstring Variable(const wchar_t* name, bool& had) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    had = needed != 0;
    std::wstring value(needed, L'\0');
    const DWORD length = had ? GetEnvironmentVariableW(name, value.data(), needed) : 0;
    value.resize(length);
    return value;
}

} // namespace

UnreadableFile::UnreadableFile(const std::string& path) : path_(path) {
    const HANDLE file = CreateFileW(ToUtf16(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    active_ = file != INVALID_HANDLE_VALUE;
    handle_ = active_ ? file : nullptr;
}

UnreadableFile::~UnreadableFile() {
    if (handle_)
        CloseHandle(handle_);
}

void GiveDistinctAccess(const std::string& path) {
    SetFileAttributesW(ToUtf16(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

bool HasDistinctAccess(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ToUtf16(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}

// Wine shows a folder's Unix mode 0700 as the user and the system account.
bool IsPrivateFolder(const std::string& path) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(ToUtf16(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const CurrentUser user;
    bool alone = dacl != nullptr; // no list at all lets everyone in
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        GetAce(dacl, i, &ace);
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        auto* sid = const_cast<DWORD*>(&allowed->SidStart);
        if (allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && !user.owns(sid) &&
            !IsWellKnownSid(sid, WinLocalSystemSid))
            alone = false;
    }
    LocalFree(descriptor);
    return alone;
}

// A running one is held suspended before it does anything.
ChildProcess::ChildProcess(State state) {
    wchar_t command[] = L"cmd.exe /c exit 0";
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION child{};
    const DWORD flags = CREATE_NO_WINDOW | (state == State::Running ? CREATE_SUSPENDED : 0);
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, flags, nullptr, nullptr, &start,
                        &child))
        throw std::runtime_error("cannot start cmd.exe");
    CloseHandle(child.hThread);
    if (state == State::Ended)
        WaitForSingleObject(child.hProcess, INFINITE);
    handle_ = child.hProcess;
    id_ = child.dwProcessId;
}

ChildProcess::~ChildProcess() {
    TerminateProcess(handle_, 0);
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
}

ScratchRootAt::ScratchRootAt(const std::string& folder) {
    old_ = ToUtf8(Variable(kRootVariable, had_));
    SetEnvironmentVariableW(kRootVariable, ToUtf16(folder).c_str());
}

ScratchRootAt::~ScratchRootAt() {
    SetEnvironmentVariableW(kRootVariable, had_ ? ToUtf16(old_).c_str() : nullptr);
}

#else

namespace {

constexpr const char* kRootVariable = "XDG_RUNTIME_DIR";

} // namespace

UnreadableFile::UnreadableFile(const std::string& path) : path_(path) {
    active_ = ::geteuid() != 0 && ::chmod(path.c_str(), 0) == 0;
}

UnreadableFile::~UnreadableFile() {
    if (active_)
        ::chmod(path_.c_str(), 0600);
}

void GiveDistinctAccess(const std::string& path) {
    ::chmod(path.c_str(), 0640);
}

bool HasDistinctAccess(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & 07777) == 0640;
}

bool IsPrivateFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700 &&
           st.st_uid == ::getuid();
}

ChildProcess::ChildProcess(State state) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (state == State::Running)
            ::pause();
        ::_exit(0);
    }
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (state == State::Ended)
        ::waitpid(child, nullptr, 0);
    else
        handle_ = this; // to be ended and reaped
    id_ = static_cast<std::uint64_t>(child);
}

ChildProcess::~ChildProcess() {
    if (handle_) {
        ::kill(static_cast<pid_t>(id_), SIGKILL);
        ::waitpid(static_cast<pid_t>(id_), nullptr, 0);
    }
}

ScratchRootAt::ScratchRootAt(const std::string& folder) {
    const char* old = std::getenv(kRootVariable);
    had_ = old != nullptr;
    old_ = old ? old : "";
    ::setenv(kRootVariable, folder.c_str(), 1);
}

ScratchRootAt::~ScratchRootAt() {
    if (had_)
        ::setenv(kRootVariable, old_.c_str(), 1);
    else
        ::unsetenv(kRootVariable);
}

#endif

} // namespace gf::test
