#pragma once
// The show's window, "Screen Saver Main Form": black, frameless, full screen and on top (or
// drawn inside a host's window); it shows the canvas and hands every input to the player.
#include <QWidget>

#include <functional>

namespace gf {

class QtShowCanvas;

class QtShowWindow final : public QWidget {
    Q_OBJECT
  public:
    // hostWindow 0: a top-level window over `screenGeometry`; else a child of that native window.
    QtShowWindow(QRect screenGeometry, WId hostWindow = 0);

    void setCanvas(const QtShowCanvas* canvas) { canvas_ = canvas; }
    std::function<void()> onInput, onCloseRequest;
    std::function<void(QPoint)> onMouseMove; // where the pointer is, on the desktop

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void input();
    const QtShowCanvas* canvas_ = nullptr;
};

} // namespace gf
