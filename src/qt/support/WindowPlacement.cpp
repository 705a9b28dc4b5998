#include "qt/support/WindowPlacement.h"

#include "core/controls/WindowFit.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

namespace gf {

namespace {

ScreenRect ToScreen(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// A window manager's frame, before there is one to measure: a title bar and thin borders.
QSize FrameAllowance(const QWidget* window) {
    const QStyle* style = window->style();
    const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, window);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {2 * border, title + 2 * border};
}

// The fewest lines a scrolling body shows, however short the screen.
constexpr int kLeastBodyLines = 6;

} // namespace

void FitToScreen(QWidget* window, QSize wanted) {
    window->ensurePolished();
    if (QLayout* layout = window->layout())
        layout->activate();
    QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (owner && !owner->isVisible())
        owner = nullptr;
    QScreen* screen = owner ? owner->screen() : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;

    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    const QSize wants = (wanted.isValid() ? wanted : window->sizeHint()).expandedTo(least);
    const QSize frame =
        owner ? owner->frameGeometry().size() - owner->size() : FrameAllowance(window);
    const ScreenRect place =
        PlaceWindow({wants.width() + frame.width(), wants.height() + frame.height()},
                    {least.width() + frame.width(), least.height() + frame.height()},
                    owner ? ToScreen(owner->frameGeometry()) : ScreenRect{},
                    ToScreen(screen->availableGeometry()));
    window->resize(place.width - frame.width(), place.height - frame.height());
    window->move(place.x, place.y); // a window's position is its frame's
}

ScrollingBody::ScrollingBody(QWidget* body, QWidget* parent) : QScrollArea(parent) {
    setWidget(body);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QSize ScrollingBody::sizeHint() const {
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
}

QSize ScrollingBody::minimumSizeHint() const {
    const int lines = fontMetrics().lineSpacing() * kLeastBodyLines;
    const int bar = verticalScrollBar()->sizeHint().width();
    return {widget()->minimumSizeHint().width() + bar,
            std::min(lines, widget()->minimumSizeHint().height())};
}

} // namespace gf
