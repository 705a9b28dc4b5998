#pragma once
// "About Glimmerframe": the title, the version from the program's version resource, the maker
// and where the user guide is, the notice line, and OK (Enter and Escape too).
#include "win32/support/Win32Dialog.h"

#include <array>
#include <optional>
#include <string>

namespace gf {

class Win32AboutBox final : public Win32Dialog {
  public:
    Win32AboutBox();

    // Major, minor and revision of the running program's file version; nothing when it has no
    // version resource.
    static std::optional<std::array<int, 3>> ResourceVersion();
    // "Version 1.0.0": the resource's version, else the one the program was built with.
    static std::wstring VersionText();

  private:
    void create() override;
    void arrange() override;
    // Places the controls when `apply`; the client height in units they need.
    int layOut(bool apply) const;
    bool command(int id, int code, HWND control) override;

    HWND lblTitle_ = nullptr, lblVersion_ = nullptr, Label1_ = nullptr, lblDisclaimer_ = nullptr;
    HWND lines_[2] = {};
    HWND cmdOK_ = nullptr;
    std::wstring makerText_; // the maker, "User guide:" and the guide's path in lines
};

} // namespace gf
