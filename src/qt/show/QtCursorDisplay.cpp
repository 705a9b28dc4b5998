#include "qt/show/QtCursorDisplay.h"

#include <QCursor>
#include <QGuiApplication>

namespace gf {

int QtCursorDisplay::showCursor(bool show) {
    counter_ += show ? 1 : -1;
    if (counter_ < 0 && !hidden_) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        hidden_ = true;
    } else if (counter_ >= 0 && hidden_) {
        QGuiApplication::restoreOverrideCursor();
        hidden_ = false;
    }
    return counter_;
}

QtCursorDisplay::~QtCursorDisplay() {
    if (hidden_)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace gf
