#include "qt/startup/QtRunModes.h"

#include "qt/authoring/DesignerWindow.h"
#include "qt/preview/QtControlForm.h"
#include "qt/settings_dialog/SettingsDialog.h"
#include "qt/show/QtShow.h"

#include <cstdio>

namespace gf {

QtRunModes::QtRunModes(SettingsStore& store) : store_(store) {}
QtRunModes::~QtRunModes() = default;

bool QtRunModes::showSettings(ProcessState& process) {
    // Lives until it is closed; the process ends with it as its last window.
    SettingsDialog::Services services;
    services.designer = designer;
    if (!services.designer)
        services.designer = [&process](QWidget* parent, const QString& templateName) {
            return DesignerWindow::run(parent, templateName, process);
        };
    auto* dialog = new SettingsDialog(process, store_, std::move(services));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return true;
}

bool QtRunModes::showPlayer(ProcessState& process) {
    auto show = QtShow::Start(process, store_);
    if (!show) {
        std::fprintf(stderr, "glimmerframe: %s\n", show.message().c_str());
        exitCode_ = 1;
        return false;
    }
    show_ = std::move(*show);
    return true;
}

void QtRunModes::close() {
    show_.reset();
    preview_.reset();
}

bool QtRunModes::loadPreview(ProcessState& process) {
    preview_ = std::make_unique<QtControlForm>(process);
    return preview_->load();
}

} // namespace gf
