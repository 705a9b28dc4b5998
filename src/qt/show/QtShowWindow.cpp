#include "qt/show/QtShowWindow.h"

#include "core/startup/Main.h"
#include "qt/show/QtShowCanvas.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace gf {

QtShowWindow::QtShowWindow(QRect screenGeometry, WId hostWindow) {
    setWindowTitle(
        QString::fromLatin1(kMainFormCaption.data(), qsizetype(kMainFormCaption.size())));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    if (hostWindow) {
        // Inside another program's window: no own top level, no grabs.
        setWindowFlags(Qt::FramelessWindowHint);
        winId();
        if (QWindow* host = QWindow::fromWinId(hostWindow))
            windowHandle()->setParent(host);
        setGeometry(QRect(QPoint(0, 0), screenGeometry.size()));
    } else {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        // Without a window manager a full-screen request alone can leave a small window.
        setGeometry(screenGeometry);
        setWindowState(Qt::WindowFullScreen);
    }
}

void QtShowWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (canvas_)
        canvas_->compose(p, event->rect());
    else
        p.fillRect(event->rect(), Qt::black);
}

void QtShowWindow::input() {
    if (onInput)
        onInput();
}

void QtShowWindow::mousePressEvent(QMouseEvent*) {
    input();
}
void QtShowWindow::mouseDoubleClickEvent(QMouseEvent*) {
    input();
}
void QtShowWindow::keyPressEvent(QKeyEvent*) {
    input();
}

void QtShowWindow::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove)
        onMouseMove(event->globalPosition().toPoint());
}

void QtShowWindow::closeEvent(QCloseEvent* event) {
    // The window system asks: the player decides, and ends the loop itself when it agrees.
    event->ignore();
    if (onCloseRequest)
        onCloseRequest();
}

} // namespace gf
