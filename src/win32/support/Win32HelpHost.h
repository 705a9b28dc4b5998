#pragma once
// The help class's host on Windows. "Glimmerframe.chm" is the file HTML Help registered under
// that name, else the one beside the program; it is shown by HtmlHelpW of the HTML Help control
// (hhctrl.ocx, loaded when first needed). Where the control cannot show it, or there is no
// compiled file (a build tree), the HTML guide opens in the default browser instead.
#include "platform/HelpHost.h"

#include <functional>
#include <string>
#include <windows.h>

namespace gf {

class Win32HelpHost final : public HelpHost {
  public:
    // How a page reaches the browser: ShellExecuteW "open" unless a test records it. True when
    // the browser was started.
    using Opener = std::function<bool(const std::wstring& target)>;
    // `caller` owns the message boxes.
    explicit Win32HelpHost(HWND caller, Opener opener = {});

    std::optional<std::string> registeredHelpFile(std::string_view name) const override;
    std::string installedHelpFile(std::string_view name) const override;
    std::string programFolder() const override;
    bool fileExists(std::string_view path) const override;
    Status displayContents(std::string_view path, const void* owner) override;
    void showError(std::string_view caption, std::string_view text) override;

    // A page of the guide at its section ("index.html#templates"): the topic inside the
    // compiled file when there is one, else the HTML page in the browser.
    Status displayPage(std::string_view pageAndSection);

    // A browser's address for a local page and its section: file:///C:/guide/index.html#sec.
    static std::wstring FileUrl(std::string_view path, std::string_view section);

  private:
    // HtmlHelpW with this file (and window type) and command; false when it showed nothing.
    bool htmlHelp(const std::wstring& target, UINT command, const void* owner) const;
    Status browse(const std::string& page, std::string_view section) const;

    HWND caller_;
    Opener opener_;
};

} // namespace gf
