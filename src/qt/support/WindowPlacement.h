#pragma once
// How the program's windows open on Linux: every window whole on the screen it opens on, at any
// scaling (the rule is the core's PlaceWindow; this measures the windows and the screen).
#include <QScrollArea>
#include <QSize>

class QWidget;

namespace gf {

// Sizes and places a top-level window before it is shown: `wanted` (its size hint when empty),
// cut to the work area of the screen it opens on (its parent's, else the one under the mouse)
// but not below its minimum size, centred over its parent and wholly on that screen.
void FitToScreen(QWidget* window, QSize wanted = {});

// The tall part of a window in a scroll area that asks for the whole of it: the window opens at
// its natural size where the screen has the room and scrolls that part only where it has not,
// never sideways.
class ScrollingBody final : public QScrollArea {
    Q_OBJECT
  public:
    explicit ScrollingBody(QWidget* body, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace gf
