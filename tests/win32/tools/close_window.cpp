// Asks the top-level window with the given caption to close (WM_CLOSE), as the system does when
// a session ends or a program is told to quit; status 1 when there is no such window.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2)
        return 2;
    const HWND window = FindWindowW(nullptr, argv[1]);
    return window && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
