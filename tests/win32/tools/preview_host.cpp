// A stand-in for the screen-saver host of Windows' display settings in the end-to-end tests: a
// borderless window at the screen's top left, captioned "Glimmerframe preview host", starts a
// program with the window's handle, then runs steps against both. Status 0 when every step
// held, else 1 with the reason on standard error.
//   preview_host WxH STEP... -- PROGRAM ARG...   ({id} in an ARG becomes the window's handle)
// Steps: "sleep MS", "destroy" (no WM_CLOSE first), "close" (WM_CLOSE, which destroys the
// window), "close-box" (WM_CLOSE to the window's lowest child), "boxes L,T,R,B" (once the program
// has made them, within a minute: the lowest child fills the window's client area and the top one
// has this rectangle), "alive", "expect-exit MS" (with status 0).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

HWND host = nullptr;
PROCESS_INFORMATION child{};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        HBRUSH brush = CreateSolidBrush(RGB(96, 0, 96));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring Text(const RECT& r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

bool Fail(const std::wstring& why) {
    std::fwprintf(stderr, L"preview_host: %ls\n", why.c_str());
    return false;
}

// Handles the window's messages for up to `ms` milliseconds, or until `handle` is signalled;
// true when it was.
bool Pump(DWORD ms, HANDLE handle = nullptr) {
    const ULONGLONG until = GetTickCount64() + ms;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= until)
            return handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        const DWORD got = MsgWaitForMultipleObjects(handle ? 1 : 0, &handle, FALSE,
                                                    DWORD(until - now), QS_ALLINPUT);
        if (handle && got == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
}

bool Step(const std::wstring& step) {
    const auto space = step.find(L' ');
    const std::wstring verb = step.substr(0, space);
    const std::wstring arg = space == std::wstring::npos ? L"" : step.substr(space + 1);
    const DWORD ms = DWORD(_wtoi(arg.c_str()));
    if (verb == L"sleep") {
        Pump(ms);
    } else if (verb == L"destroy") {
        DestroyWindow(host);
    } else if (verb == L"close") {
        SendMessageW(host, WM_CLOSE, 0, 0);
    } else if (verb == L"close-box") {
        const HWND top = GetWindow(host, GW_CHILD);
        if (!top)
            return Fail(L"no window inside the host's to close");
        PostMessageW(GetWindow(top, GW_HWNDLAST), WM_CLOSE, 0, 0);
    } else if (verb == L"boxes") {
        // The lowest child fills the client area; the top one has the rectangle given.
        RECT client, lowest{}, topRect{}, want{};
        std::swscanf(arg.c_str(), L"%ld,%ld,%ld,%ld", &want.left, &want.top, &want.right,
                     &want.bottom);
        const ULONGLONG until = GetTickCount64() + 60000;
        for (;;) {
            const HWND top = GetWindow(host, GW_CHILD);
            if (top) {
                GetClientRect(host, &client);
                GetWindowRect(GetWindow(top, GW_HWNDLAST), &lowest);
                GetWindowRect(top, &topRect);
                MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&lowest), 2);
                MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&topRect), 2);
                if (EqualRect(&client, &lowest) && EqualRect(&want, &topRect))
                    break;
            }
            if (GetTickCount64() >= until)
                return Fail(top ? L"boxes at " + Text(lowest) + L" and " + Text(topRect)
                                : L"no window inside the host's");
            if (WaitForSingleObject(child.hProcess, 0) != WAIT_TIMEOUT)
                return Fail(L"the program ended before its boxes were there");
            Pump(100);
        }
    } else if (verb == L"alive") {
        if (WaitForSingleObject(child.hProcess, 0) != WAIT_TIMEOUT)
            return Fail(L"the program ended");
    } else if (verb == L"expect-exit") {
        if (!Pump(ms, child.hProcess))
            return Fail(L"the program did not end within " + arg + L" ms");
        DWORD status = 1;
        GetExitCodeProcess(child.hProcess, &status);
        if (status != 0)
            return Fail(L"the program ended with status " + std::to_wstring(status));
    } else {
        return Fail(L"unknown step " + step);
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int width = 0, height = 0;
    if (argc < 4 || std::swscanf(argv[1], L"%dx%d", &width, &height) != 2)
        return Fail(L"usage: preview_host WxH STEP... -- PROGRAM ARG..."), 2;
    std::vector<std::wstring> steps;
    int at = 2;
    for (; at < argc && std::wstring(argv[at]) != L"--"; ++at)
        steps.push_back(argv[at]);
    if (++at >= argc)
        return Fail(L"no program after --"), 2;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"GlimmerframePreviewHost";
    RegisterClassW(&windowClass);
    host = CreateWindowExW(0, windowClass.lpszClassName, L"Glimmerframe preview host",
                           WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
    if (!host)
        return Fail(L"no window"), 1;
    UpdateWindow(host);

    // The handle in decimal, as the display settings pass it.
    const std::wstring id = std::to_wstring(reinterpret_cast<std::intptr_t>(host));
    std::wstring line;
    for (int i = at; i < argc; ++i) {
        std::wstring arg = argv[i];
        for (auto p = arg.find(L"{id}"); p != std::wstring::npos; p = arg.find(L"{id}"))
            arg.replace(p, 4, id);
        line += (line.empty() ? L"\"" + arg + L"\"" : L" " + arg);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child))
        return Fail(L"cannot start " + line), 1;
    for (const auto& step : steps)
        if (!Step(step)) {
            TerminateProcess(child.hProcess, 1);
            return 1;
        }
    return 0;
}
