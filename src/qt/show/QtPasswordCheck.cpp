#include "qt/show/QtPasswordCheck.h"

#include <QMessageBox>

namespace gf {

bool QtPasswordCheck::verify() {
    return QMessageBox::question(
               parent_, QStringLiteral("Glimmerframe"), QStringLiteral("End the slide show?"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace gf
