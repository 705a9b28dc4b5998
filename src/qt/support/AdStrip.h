#pragma once
// The strip of the settings dialog and the designer: six tips about the program's own features
// sharing one place, the next one shown every 3 minutes by an interval timer control; a click
// opens the user guide at the showing tip's topic.
#include "core/help/TipRotation.h"
#include "qt/support/UrlOpener.h"

#include <QWidget>
#include <array>

namespace gf {

class QtIntervalTimer;

class AdStrip final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kAdCount = int(kGuideTipCount);

    // `opener`: null opens the guide in the help window of the strip's window.
    explicit AdStrip(QWidget* parent = nullptr, UrlOpener opener = {});

    // Index (0 to 5) of the tip now showing.
    int currentIndex() const { return int(tips_.index()); }
    // Hides the current tip and shows the next, wrapping from 5 to 0.
    void showNext();
    QtIntervalTimer& timer() { return *timer_; }
    // The tip with this index (0 to 5).
    const QWidget* picture(int index) const { return ads_.at(std::size_t(index)); }

    QSize sizeHint() const override;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::array<QWidget*, kAdCount> ads_{};
    QtIntervalTimer* timer_ = nullptr;
    UrlOpener opener_;
    TipRotation tips_{kGuidePlatform};
};

} // namespace gf
