// Checks that the top-level window with the given caption lies whole inside the work area of its
// screen, and that each named control ("&" marks left out; "Text*" for one whose text starts so)
// is shown whole inside the window's client area. With --whole, every visible read-only edit box
// of the window shows all its lines. Prints the window's DPI and rectangles, each control's
// rectangle and text, and each fault; status 0 when all holds, 1 on a fault, 3 when the window
// or a control is not there.
// Usage: window_fit [--whole] CAPTION [CONTROL...]
#include <string>
#include <vector>
#include <windows.h>

namespace {

std::wstring TextOf(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

std::wstring WithoutMarks(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (c != L'&')
            out += c;
    return out;
}

void Print(const std::wstring& line) {
    const std::wstring full = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, full.data(), int(full.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, full.data(), int(full.size()), bytes.data(), size, nullptr,
                        nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), DWORD(bytes.size()), &written,
              nullptr);
}

std::wstring Describe(const RECT& r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " +
           std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

struct Search {
    std::wstring text;
    bool prefix = false;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    const std::wstring text = WithoutMarks(TextOf(child));
    const bool same = search->prefix ? text.rfind(search->text, 0) == 0 : text == search->text;
    if (IsWindowVisible(child) && same) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectEdits(HWND child, LPARAM data) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (lstrcmpiW(name, L"Edit") == 0 && IsWindowVisible(child) && (style & ES_MULTILINE) &&
        (style & ES_READONLY))
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

// True when the box shows its last line whole: the line's top plus one line's height (the
// distance between two lines' tops) inside the box, and nothing scrolled out at the top.
bool ShowsAllLines(HWND box) {
    const auto lines = int(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
    if (lines < 2)
        return true;
    if (SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0) != 0)
        return false;
    const auto top = [&](int line) {
        const LRESULT index = SendMessageW(box, EM_LINEINDEX, WPARAM(line), 0);
        return int(short(HIWORD(SendMessageW(box, EM_POSFROMCHAR, WPARAM(index), 0))));
    };
    const int last = top(lines - 1), height = last - top(lines - 2);
    RECT client{};
    GetClientRect(box, &client);
    // EM_POSFROMCHAR answers -1 (as 65535) for a character below the box's last visible line.
    return last >= 0 && height > 0 && last + height <= client.bottom;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // The rectangles in device pixels, as the screen has them.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    int first = 1;
    const bool whole = argc > 1 && std::wstring(argv[1]) == L"--whole";
    if (whole)
        ++first;
    if (argc <= first)
        return 2;
    const HWND window = FindWindowW(nullptr, argv[first]);
    if (!window || !IsWindowVisible(window)) {
        Print(L"no window \"" + std::wstring(argv[first]) + L"\"");
        return 3;
    }
    RECT frame{}, client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    Print(L"dpi " + std::to_wstring(GetDpiForWindow(window)) + L" window " + Describe(frame) +
          L" work area " + Describe(monitor.rcWork));
    int faults = 0;
    const auto fault = [&](const std::wstring& what) {
        Print(L"FAULT: " + what);
        ++faults;
    };
    if (!Inside(frame, monitor.rcWork))
        fault(L"the window is not inside the work area");
    for (int i = first + 1; i < argc; ++i) {
        Search search{argv[i]};
        if (!search.text.empty() && search.text.back() == L'*') {
            search.text.pop_back();
            search.prefix = true;
        }
        EnumChildWindows(window, &Match, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            Print(L"no control \"" + std::wstring(argv[i]) + L"\"");
            return 3;
        }
        RECT r{};
        GetWindowRect(search.found, &r);
        Print(L"control " + Describe(r) + L" \"" + TextOf(search.found) + L"\"");
        if (!Inside(r, client) || r.right <= r.left || r.bottom <= r.top)
            fault(L"\"" + std::wstring(argv[i]) + L"\" is not whole inside the window");
    }
    if (whole) {
        std::vector<HWND> edits;
        EnumChildWindows(window, &CollectEdits, reinterpret_cast<LPARAM>(&edits));
        for (HWND edit : edits)
            if (!ShowsAllLines(edit))
                fault(L"a text box hides a line of \"" + TextOf(edit).substr(0, 40) + L"...\"");
    }
    return faults ? 1 : 0;
}
