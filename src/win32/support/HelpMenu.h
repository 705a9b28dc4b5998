#pragma once
// The Help menu of the program's windows and what its shared items do: the guide's contents
// (Help > Contents, F1) and its pages, with the help class's checks and messages.
#include "core/help/HTMLHelp.h"
#include "win32/support/Win32HelpHost.h"

#include <initializer_list>
#include <string_view>
#include <windows.h>

namespace gf {

struct MenuItem {
    UINT id;
    std::wstring_view text; // empty: a separator
};

// Appends "&Help" with these items to the menu bar `bar` (a new bar when null); the bar.
HMENU AppendHelpMenu(HMENU bar, std::initializer_list<MenuItem> items);

// Help > Contents of `caller`: the guide's table of contents; an empty help file name gets the
// "no Help associated" message under the caller's caption. `opener`: tests record the browser.
void ShowHelpContents(HWND caller, std::string_view helpFile = kHelpFileName,
                      Win32HelpHost::Opener opener = {});

// A page of the guide at its section ("index.html#templates"); a failure is said in a message
// box over `caller`.
void OpenGuidePage(HWND caller, std::string_view pageAndSection, Win32HelpHost::Opener opener = {});

} // namespace gf
