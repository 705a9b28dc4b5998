#include "qt/startup/QtRunModes.h"

#include "qt/authoring/DesignerWindow.h"
#include "qt/settings_dialog/SettingsDialog.h"

namespace gf {

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

bool QtRunModes::showPlayer(ProcessState&) {
    return false;
}

bool QtRunModes::loadPreview(ProcessState&) {
    return false;
}

} // namespace gf
