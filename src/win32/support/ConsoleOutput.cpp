#include "win32/support/ConsoleOutput.h"

#include "win32/support/UniqueHandle.h"
#include "win32/support/Utf16.h"

#include <algorithm>
#include <string>
#include <windows.h>

namespace gf {

namespace {

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// A console takes UTF-16 whatever its code page; files and pipes get the UTF-8 bytes. The shell
// did not wait for a windowed program and has shown its prompt already: a fresh line first.
bool WriteConsoleText(HANDLE console, std::string_view utf8) {
    const std::wstring text = L"\r\n" + ToUtf16(utf8);
    std::size_t done = 0;
    while (done < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 16384));
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool WriteBytes(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

bool WriteStandardOutput(std::string_view utf8) {
    const std::string text = WithCrLf(utf8);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const DWORD type =
        out != nullptr && out != INVALID_HANDLE_VALUE ? GetFileType(out) : FILE_TYPE_UNKNOWN;
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE)
        return WriteBytes(out, text);
    // A console of our own, or a device such as NUL; a console handle left over from the parent
    // refuses the write, and the parent's console is taken below.
    if (type == FILE_TYPE_CHAR &&
        (IsConsole(out) ? WriteConsoleText(out, text) : WriteBytes(out, text)))
        return true;
    // A windowed program gets no console of its own, not even standard handles to its parent's.
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    UniqueHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                     nullptr));
    const bool written = console && WriteConsoleText(console.get(), text);
    FreeConsole();
    return written;
}

} // namespace gf
