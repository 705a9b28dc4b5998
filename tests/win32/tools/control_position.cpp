// Prints the screen position of the middle of a control ("X Y") inside the top-level window with
// the given caption, found by its text ("&" marks left out), for xdotool to click; status 1 when
// there is no such window or control.
#include <string>
#include <windows.h>

namespace {

struct Search {
    std::wstring text;
    HWND found = nullptr;
};

std::wstring WithoutMarks(std::wstring text) {
    std::wstring out;
    for (wchar_t c : text)
        if (c != L'&')
            out += c;
    return out;
}

BOOL CALLBACK Match(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (IsWindowVisible(child) && WithoutMarks(text) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (!window)
        return 1;
    Search search{argv[2]};
    EnumChildWindows(window, &Match, reinterpret_cast<LPARAM>(&search));
    RECT r;
    if (!search.found || !GetWindowRect(search.found, &r))
        return 1;
    std::string line = std::to_string((r.left + r.right) / 2) + " " +
                       std::to_string((r.top + r.bottom) / 2) + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), DWORD(line.size()), &written, nullptr);
    return 0;
}
