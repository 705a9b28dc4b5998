#pragma once
// A dialog of the authoring tools: a control made with its tooltip, and one placed by its id.
#include "win32/support/Win32Dialog.h"

#include <algorithm>
#include <string>

namespace gf {

class AuthoringDialog : public Win32Dialog {
  protected:
    using Win32Dialog::Win32Dialog;

    HWND add(const wchar_t* windowClass, std::wstring_view text, DWORD style, int id,
             std::wstring_view tooltip = {}) {
        HWND control = addControl(windowClass, text, style, id);
        if (!tooltip.empty())
            setTooltip(control, tooltip);
        return control;
    }
    // A rectangle in units; a negative size (a window made very small) counts as none.
    void place(int id, int x, int y, int width, int height) const {
        layout().place(item(id), x, y, std::max(width, 0), std::max(height, 0));
    }
};

} // namespace gf
