#include "windows/Win32FileSystem.h"

#include "windows/CurrentUser.h"
#include "windows/SystemError.h"
#include "windows/UniqueHandle.h"
#include "windows/Utf16.h"

#include <aclapi.h>
#include <algorithm>
#include <climits>
#include <random>

namespace gf {

namespace {

// ReadFile and WriteFile count in 32 bits.
constexpr std::size_t kChunk = std::size_t{1} << 30;

Error failure(std::string_view verb, std::string_view path, std::string_view reason) {
    return Error{std::string(verb) + " " + std::string(path) + ": " + std::string(reason),
                 ErrorKind::Failed, std::string(path), std::string(reason)};
}

std::uint64_t Join(DWORD high, DWORD low) {
    return (std::uint64_t{high} << 32) | low;
}

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool NotFound(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// A NUL would end the name early at the system, which would then see another file.
bool HasNul(std::string_view path) {
    return path.find('\0') != std::string_view::npos;
}

// Beyond MAX_PATH only the "\\?\" form reaches a file unless the machine allows long paths.
// That form is taken literally, so the path is made absolute, with "\" only, first.
std::wstring WidePath(std::string_view path) {
    std::wstring wide = ToUtf16(path);
    if (wide.size() < MAX_PATH - 12 || wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\"))
        return wide;
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD length = needed ? GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr) : 0;
    if (length == 0 || length >= needed)
        return wide;
    full.resize(length);
    return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

std::wstring Upper(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

// Names that reach devices, not files: "\\.\" paths, and the names Windows keeps in every
// folder whatever the extension ("C:\pics\con.jpg" is the console, "nul.txt" the null device).
bool NamesDevice(std::wstring_view path) {
    std::wstring p(path);
    std::replace(p.begin(), p.end(), L'/', L'\\');
    if (p.starts_with(L"\\\\.\\"))
        return true;
    if (p.starts_with(L"\\\\?\\") || p.starts_with(L"\\??\\")) {
        const std::wstring rest = Upper(p.substr(4, 4));
        const bool drive = rest.size() >= 2 && rest[1] == L':';
        if (!drive && !rest.starts_with(L"UNC\\"))
            return true;
    }
    const auto separator = p.find_last_of(L"\\:");
    std::wstring_view name(p);
    if (separator != std::wstring::npos)
        name.remove_prefix(separator + 1);
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ')
        name.remove_suffix(1);
    const std::wstring upper = Upper(name);
    if (upper == L"CON" || upper == L"PRN" || upper == L"AUX" || upper == L"NUL" ||
        upper == L"CONIN$" || upper == L"CONOUT$")
        return true;
    // COM0 to COM9 and LPT0 to LPT9, and with the superscript digits 1, 2 and 3.
    return upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT")) &&
           ((upper[3] >= L'0' && upper[3] <= L'9') || upper[3] == L'\u00B9' ||
            upper[3] == L'\u00B2' || upper[3] == L'\u00B3');
}

enum class Expect { File, Folder };

// Windows says "path not found" both for a missing folder and for a file in the way of one,
// and "access denied" for a folder opened as a file: looking at the path tells which.
std::string Explain(DWORD code, const std::wstring& path, Expect expect) {
    if (code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY ||
        (code == ERROR_FILE_NOT_FOUND && expect == Expect::Folder)) {
        std::wstring at = path;
        while (!at.empty() && IsSeparator(at.back()))
            at.pop_back();
        for (bool self = expect == Expect::Folder;; self = false) {
            if (!self) {
                const auto separator = at.find_last_of(L"\\/");
                if (separator == std::wstring::npos || separator == 0)
                    break;
                at.resize(separator);
            }
            const DWORD attributes = GetFileAttributesW(at.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES)
                continue;
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
                return self ? "it is a file, not a folder" : "a part of its folder is not a folder";
            break;
        }
        return DescribeSystemError(ERROR_PATH_NOT_FOUND);
    }
    if (code == ERROR_ACCESS_DENIED && expect == Expect::File) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return "it is a folder, not a file";
    }
    return DescribeSystemError(code);
}

std::wstring JoinWide(const std::wstring& folder, std::wstring_view name) {
    std::wstring out = folder;
    if (!out.empty() && !IsSeparator(out.back()) && out.back() != L':')
        out += L'\\';
    return out.append(name);
}

std::int64_t NanosecondsSince1970(const FILETIME& time) {
    // FILETIME counts 100 ns from 1601; the range of nanoseconds in 64 bits ends in 2262.
    constexpr std::int64_t k1601To1970 = 116444736000000000;
    const std::int64_t ticks =
        static_cast<std::int64_t>(Join(time.dwHighDateTime, time.dwLowDateTime) & LLONG_MAX);
    const std::int64_t since = ticks - k1601To1970;
    return std::clamp(since, LLONG_MIN / 100, LLONG_MAX / 100) * 100;
}

bool OwnedBy(const CurrentUser& user, HANDLE file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                        nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const bool mine = user.owns(owner);
    LocalFree(descriptor);
    return mine;
}

class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (*this)
            FindClose(handle_);
    }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

FindHandle FindFirst(const std::wstring& folder, WIN32_FIND_DATAW& found) {
    return FindHandle(FindFirstFileExW(JoinWide(folder, L"*").c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
}

bool IsDotEntry(const wchar_t* name) {
    return std::wstring_view(name) == L"." || std::wstring_view(name) == L"..";
}

bool IsLink(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (found.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
            found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
}

// A read-only file goes as it does on POSIX, where only the folder's permissions count.
DWORD DeleteOneFile(const std::wstring& path, DWORD attributes) {
    if (DeleteFileW(path.c_str()))
        return ERROR_SUCCESS;
    const DWORD code = GetLastError();
    if (code == ERROR_ACCESS_DENIED && (attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}) &&
        DeleteFileW(path.c_str()))
        return ERROR_SUCCESS;
    return code;
}

// Links (to files or folders) are removed as links; what they lead to is never entered.
DWORD RemoveTree(const std::wstring& path, DWORD attributes) {
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteOneFile(path, attributes);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return RemoveDirectoryW(path.c_str()) ? ERROR_SUCCESS : GetLastError();
    DWORD first = ERROR_SUCCESS;
    WIN32_FIND_DATAW found{};
    if (const FindHandle find = FindFirst(path, found)) {
        do {
            if (IsDotEntry(found.cFileName))
                continue;
            const DWORD code = RemoveTree(JoinWide(path, found.cFileName), found.dwFileAttributes);
            if (first == ERROR_SUCCESS)
                first = code;
        } while (FindNextFileW(find.get(), &found));
    }
    if (!RemoveDirectoryW(path.c_str()) && first == ERROR_SUCCESS)
        first = GetLastError();
    return first;
}

// A file or a link, or (`folders`) a folder with everything in it; nothing there is no failure.
Status RemovePath(std::string_view path, bool folders) {
    const std::string p(path);
    if (HasNul(p))
        return failure("Cannot remove", p, DescribeSystemError(ERROR_INVALID_NAME));
    const std::wstring wide = WidePath(p);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        return NotFound(code) ? Status{}
                              : failure("Cannot remove", p, Explain(code, wide, Expect::File));
    }
    const bool folder =
        (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (folder && !folders)
        return failure("Cannot remove", p, "it is a folder, not a file");
    if (const DWORD code = RemoveTree(wide, attributes); code != ERROR_SUCCESS && !NotFound(code))
        return failure("Cannot remove", p,
                       folders ? DescribeSystemError(code) : Explain(code, wide, Expect::File));
    return {};
}

class Win32FileReader final : public FileReader {
  public:
    Win32FileReader(UniqueHandle file, std::uint64_t size, std::string path)
        : file_(std::move(file)), size_(size), path_(std::move(path)) {}
    std::uint64_t size() const override { return size_; }
    // Each read names its own offset, so readers on other threads never move it.
    Status readAt(std::uint64_t offset, std::span<std::byte> out) override {
        while (!out.empty()) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            const auto chunk = static_cast<DWORD>(std::min(out.size(), kChunk));
            DWORD read = 0;
            if (!ReadFile(file_.get(), out.data(), chunk, &read, &at)) {
                const DWORD code = GetLastError();
                if (code != ERROR_HANDLE_EOF)
                    return failure("Cannot read", path_, DescribeSystemError(code));
                read = 0;
            }
            if (read == 0)
                return failure("Cannot read", path_, "the file is shorter than expected");
            out = out.subspan(read);
            offset += read;
        }
        return {};
    }

  private:
    UniqueHandle file_;
    std::uint64_t size_;
    std::string path_;
};

class Win32FileWriter final : public FileWriter {
  public:
    Win32FileWriter(UniqueHandle file, std::string path)
        : file_(std::move(file)), path_(std::move(path)) {}
    Status write(std::span<const std::byte> bytes) override {
        if (!file_)
            return failure("Cannot write", path_, "the file is closed");
        while (!bytes.empty()) {
            const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kChunk));
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr))
                return failure("Cannot write", path_, DescribeSystemError(GetLastError()));
            if (written == 0)
                return failure("Cannot write", path_, DescribeSystemError(ERROR_DISK_FULL));
            bytes = bytes.subspan(written);
        }
        return {};
    }
    // The attributes a person sets (hidden, system, archive, not indexed); read-only would
    // stop the replace itself. The replace keeps the old file's access rules.
    Status setPermissions(std::uint32_t permissions) override {
        constexpr DWORD kCarried = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                   FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        FILE_BASIC_INFO basic{}; // times of 0 stay as they are
        basic.FileAttributes =
            permissions & kCarried ? permissions & kCarried : DWORD{FILE_ATTRIBUTE_NORMAL};
        if (!file_ ||
            !SetFileInformationByHandle(file_.get(), FileBasicInfo, &basic, sizeof(basic)))
            return failure("Cannot change the attributes of", path_,
                           DescribeSystemError(file_ ? GetLastError() : ERROR_INVALID_HANDLE));
        return {};
    }
    Status sync() override {
        if (!file_ || !FlushFileBuffers(file_.get()))
            return failure("Cannot write", path_,
                           DescribeSystemError(file_ ? GetLastError() : ERROR_INVALID_HANDLE));
        return {};
    }
    Status close() override {
        if (file_ && !CloseHandle(file_.release()))
            return failure("Cannot write", path_, DescribeSystemError(GetLastError()));
        return {};
    }

  private:
    UniqueHandle file_;
    std::string path_;
};

} // namespace

Win32FileSystem::Win32FileSystem() : user_(std::make_unique<CurrentUser>()) {}

Win32FileSystem::~Win32FileSystem() = default;

Result<std::unique_ptr<FileReader>> Win32FileSystem::openForReading(std::string_view path) {
    const std::string p(path);
    if (HasNul(p))
        return failure("Cannot open", p, DescribeSystemError(ERROR_INVALID_NAME));
    const std::wstring wide = WidePath(p);
    // Look before opening: opening a device or a pipe can do things of its own.
    if (NamesDevice(wide))
        return failure("Cannot open", p, "it is not a regular file");
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return failure("Cannot open", p, Explain(GetLastError(), wide, Expect::File));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return failure("Cannot open", p, "it is a folder, not a file");
    // Others may go on writing, renaming or deleting it, as on POSIX.
    UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return failure("Cannot open", p, Explain(GetLastError(), wide, Expect::File));
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return failure("Cannot open", p, "it is not a regular file");
    BY_HANDLE_FILE_INFORMATION facts{};
    if (!GetFileInformationByHandle(file.get(), &facts))
        return failure("Cannot read", p, DescribeSystemError(GetLastError()));
    if (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return failure("Cannot open", p, "it is a folder, not a file");
    std::unique_ptr<FileReader> reader = std::make_unique<Win32FileReader>(
        std::move(file), Join(facts.nFileSizeHigh, facts.nFileSizeLow), p);
    return reader;
}

Result<std::unique_ptr<FileWriter>> Win32FileSystem::createFile(std::string_view path, NewFile mode,
                                                                FileAccess access) {
    const std::string p(path);
    if (HasNul(p))
        return failure("Cannot create", p, DescribeSystemError(ERROR_INVALID_NAME));
    const std::wstring wide = WidePath(p);
    if (NamesDevice(wide))
        return failure("Cannot create", p, "its name is reserved for a device");
    // Shared files and programs take the folder's protection, as every new file does.
    SECURITY_ATTRIBUTES* security =
        access == FileAccess::Private ? user_->privateAccess() : nullptr;
    UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  security,
                                  mode == NewFile::ReplaceExisting ? CREATE_ALWAYS : CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        std::string reason = Explain(GetLastError(), wide, Expect::File);
        if (reason == DescribeSystemError(ERROR_PATH_NOT_FOUND))
            reason = "its folder does not exist";
        return failure("Cannot create", p, reason);
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return failure("Cannot create", p, "it is not a regular file");
    std::unique_ptr<FileWriter> writer = std::make_unique<Win32FileWriter>(std::move(file), p);
    return writer;
}

FileInfo Win32FileSystem::info(std::string_view path) {
    FileInfo info;
    if (HasNul(path))
        return info;
    const std::wstring wide = WidePath(path);
    if (NamesDevice(wide)) {
        info.kind = FileKind::Other;
        return info;
    }
    // The owner needs READ_CONTROL, which a file's rules may refuse while its facts are open to
    // anyone who may list its folder.
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    bool canReadOwner = true;
    UniqueHandle file(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL, kShareAll,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file && GetLastError() == ERROR_ACCESS_DENIED) {
        canReadOwner = false;
        file = UniqueHandle(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    }
    if (!file)
        return info;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        info.kind = FileKind::Other;
        return info;
    }
    BY_HANDLE_FILE_INFORMATION facts{};
    if (!GetFileInformationByHandle(file.get(), &facts))
        return info;
    const bool folder = facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    info.kind = folder ? FileKind::Folder : FileKind::File;
    info.size = folder ? 0 : Join(facts.nFileSizeHigh, facts.nFileSizeLow);
    info.permissions = facts.dwFileAttributes;
    info.ownedByUser = canReadOwner && OwnedBy(*user_, file.get());
    info.volume = facts.dwVolumeSerialNumber;
    info.index = Join(facts.nFileIndexHigh, facts.nFileIndexLow);
    info.modifiedNs = NanosecondsSince1970(facts.ftLastWriteTime);
    return info;
}

Result<std::string> Win32FileSystem::linkTarget(std::string_view path) {
    const std::string p(path);
    if (HasNul(p))
        return p;
    const std::wstring wide = WidePath(p);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return p;
    // Opening follows every link; the handle then knows the file's own name.
    const UniqueHandle file(
        CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        const DWORD code = GetLastError();
        // A link to nothing: written as the link itself.
        if (NotFound(code))
            return p;
        return failure("Cannot open", p, Explain(code, wide, Expect::File));
    }
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    const DWORD needed = GetFinalPathNameByHandleW(file.get(), nullptr, 0, kFlags);
    std::wstring resolved(needed, L'\0');
    const DWORD length =
        needed ? GetFinalPathNameByHandleW(file.get(), resolved.data(), needed, kFlags) : 0;
    if (length == 0 || length >= needed)
        return failure("Cannot open", p, DescribeSystemError(GetLastError()));
    resolved.resize(length);
    // "\\?\C:\x" is "C:\x" and "\\?\UNC\host\share" is "\\host\share"; WidePath adds the
    // prefix again where a path needs it.
    if (resolved.starts_with(L"\\\\?\\UNC\\"))
        resolved = L"\\\\" + resolved.substr(8);
    else if (resolved.starts_with(L"\\\\?\\"))
        resolved = resolved.substr(4);
    return ToUtf8(resolved);
}

Result<std::vector<FolderEntry>> Win32FileSystem::listFolder(std::string_view path) {
    const std::string p = path.empty() ? std::string(".") : std::string(path);
    if (HasNul(p))
        return failure("Cannot read the folder", p, DescribeSystemError(ERROR_INVALID_NAME));
    const std::wstring folder = WidePath(p);
    WIN32_FIND_DATAW found{};
    const FindHandle find = FindFirst(folder, found);
    if (!find) {
        const DWORD code = GetLastError();
        // Only a drive's root has no "." entry: finding nothing there is an empty folder.
        if (code == ERROR_FILE_NOT_FOUND && info(p).kind == FileKind::Folder)
            return std::vector<FolderEntry>{};
        return failure("Cannot read the folder", p, Explain(code, folder, Expect::Folder));
    }
    std::vector<FolderEntry> entries;
    do {
        if (IsDotEntry(found.cFileName))
            continue;
        FolderEntry entry;
        entry.name = ToUtf8(found.cFileName);
        entry.link = IsLink(found);
        entry.hidden =
            (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0 || entry.name.starts_with('.');
        if (entry.link)
            entry.kind = info(ToUtf8(JoinWide(folder, found.cFileName))).kind;
        else
            entry.kind = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::Folder
                                                                           : FileKind::File;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find.get(), &found));
    if (const DWORD code = GetLastError(); code != ERROR_NO_MORE_FILES)
        return failure("Cannot read the folder", p, DescribeSystemError(code));
    return entries;
}

Status Win32FileSystem::removeFile(std::string_view path) {
    return RemovePath(path, false);
}

Status Win32FileSystem::removeFolder(std::string_view path) {
    return RemovePath(path, true);
}

Status Win32FileSystem::replace(std::string_view from, std::string_view to) {
    const std::string target(to);
    if (HasNul(from) || HasNul(target))
        return failure("Cannot write", target, DescribeSystemError(ERROR_INVALID_NAME));
    const std::wstring source = WidePath(from), destination = WidePath(target);
    const DWORD attributes = GetFileAttributesW(destination.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // The old file's access rules, owner and streams stay with the name.
        if (ReplaceFileW(destination.c_str(), source.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                         nullptr))
            return {};
        const DWORD code = GetLastError();
        // These leave the new file whole under its own name and the old one moved away or
        // gone; a volume without the call (some network shares) says so before doing anything.
        // Either way the rename below is what is left.
        if (code != ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
            code != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && code != ERROR_INVALID_FUNCTION &&
            code != ERROR_NOT_SUPPORTED)
            return failure("Cannot write", target, Explain(code, destination, Expect::File));
    }
    if (!MoveFileExW(source.c_str(), destination.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failure("Cannot write", target, Explain(GetLastError(), destination, Expect::File));
    return {};
}

std::string Win32FileSystem::scratchRoot() {
    const DWORD needed = GetTempPathW(0, nullptr);
    std::wstring folder(needed, L'\0');
    const DWORD length = needed ? GetTempPathW(needed, folder.data()) : 0;
    if (length == 0 || length >= needed)
        return ".";
    folder.resize(length);
    return ToUtf8(folder);
}

Result<std::string> Win32FileSystem::createPrivateFolder(std::string_view parent,
                                                         std::string_view prefix) {
    if (HasNul(parent) || HasNul(prefix))
        return failure("Cannot make a temporary folder in", parent,
                       DescribeSystemError(ERROR_INVALID_NAME));
    const std::string base = ToUtf8(JoinWide(ToUtf16(parent), ToUtf16(prefix)));
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    DWORD code = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 100 && code == ERROR_ALREADY_EXISTS; ++attempt) {
        std::string candidate = base;
        for (int i = 0; i < 6; ++i)
            candidate += kLetters[random() % kLetters.size()];
        if (CreateDirectoryW(WidePath(candidate).c_str(), user_->privateAccess()))
            return candidate;
        code = GetLastError();
    }
    return failure("Cannot make a temporary folder in", parent,
                   Explain(code, WidePath(parent), Expect::Folder));
}

std::string Win32FileSystem::userId() {
    return user_->sidText().empty() ? std::string("user") : user_->sidText();
}

std::uint64_t Win32FileSystem::processId() {
    return GetCurrentProcessId();
}

bool Win32FileSystem::processRunning(std::uint64_t id) {
    if (id == 0 || id > 0xFFFFFFFFu)
        return false;
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                           static_cast<DWORD>(id)));
    if (!process) // another user's process refuses us, one that is gone is not found
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    if (!GetExitCodeProcess(process.get(), &code))
        return true;
    // A process may also have ended with the status that means "still running".
    return code == STILL_ACTIVE && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

} // namespace gf
