#include "qt/startup/QtRunModes.h"

#include <QMessageBox>

namespace gf {

bool QtRunModes::showSettings(ProcessState&) {
    QMessageBox::information(nullptr, QStringLiteral("Glimmerframe Settings"),
                             QStringLiteral("The settings dialog is not available yet."));
    return false;
}

bool QtRunModes::showPlayer(ProcessState&) {
    return false;
}

bool QtRunModes::loadPreview(ProcessState&) {
    return false;
}

} // namespace gf
