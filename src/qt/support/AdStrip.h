#pragma once
// The advertisement strip of the settings dialog and the designer: six pictures sharing one
// place, the next one shown every 3 minutes by an interval timer control; a click on any of
// them opens the advertised product's page.
#include "qt/support/UrlOpener.h"

#include <QWidget>
#include <array>

namespace gf {

class QtIntervalTimer;

class AdStrip final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kAdCount = 6;

    explicit AdStrip(QWidget* parent = nullptr, UrlOpener opener = DesktopUrlOpener());

    // Index (0 to 5) of the picture now showing.
    int currentIndex() const { return index_; }
    // Hides the current picture and shows the next, wrapping from 5 to 0.
    void showNext();
    QtIntervalTimer& timer() { return *timer_; }
    // The picture with this index (0 to 5).
    const QWidget* picture(int index) const { return ads_.at(std::size_t(index)); }
    static QUrl advertisedPage();

    QSize sizeHint() const override;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::array<QWidget*, kAdCount> ads_{};
    QtIntervalTimer* timer_ = nullptr;
    UrlOpener opener_;
    int index_ = 0;
};

} // namespace gf
