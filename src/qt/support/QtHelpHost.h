#pragma once
// The help class's host on the desktop: guides installed under share/<name>/help/ (beside the
// program's prefix or in the XDG data folders), shown in a HelpWindow owned by the caller.
#include "platform/HelpHost.h"

#include <QPointer>
#include <QWidget>

namespace gf {

class QtHelpHost final : public HelpHost {
  public:
    // `caller` owns the help window and parents the message boxes.
    explicit QtHelpHost(QWidget* caller) : caller_(caller) {}

    std::optional<std::string> registeredHelpFile(std::string_view name) const override;
    std::string installedHelpFile(std::string_view name) const override;
    std::string programFolder() const override;
    bool fileExists(std::string_view path) const override;
    Status displayContents(std::string_view path, const void* owner) override;
    void showError(std::string_view caption, std::string_view text) override;

  private:
    QPointer<QWidget> caller_;
};

// The Help "Contents" of any window: opens the product's guide, with the help class's checks
// and messages; an empty help file name gets the "no Help associated" message.
void ShowHelpContents(QWidget* caller,
                      const QString& helpFile = QStringLiteral("Glimmerframe.chm"));

} // namespace gf
