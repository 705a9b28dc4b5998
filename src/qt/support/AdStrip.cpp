#include "qt/support/AdStrip.h"

#include "qt/support/QtIntervalTimer.h"
#include "qt/support/SupportResources.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace gf {

namespace {
// One ad picture, drawn from its SVG at whatever size the strip gives it.
class AdPicture final : public QWidget {
  public:
    AdPicture(const QString& file, QWidget* parent) : QWidget(parent), renderer_(file) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&p, rect());
    }

  private:
    QSvgRenderer renderer_;
};
} // namespace

AdStrip::AdStrip(QWidget* parent, UrlOpener opener) : QWidget(parent), opener_(std::move(opener)) {
    InitSupportResources();
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Click to visit the Lanternslide page"));
    setAttribute(Qt::WA_Hover);
    for (int i = 0; i < kAdCount; ++i) {
        auto* ad = new AdPicture(QStringLiteral(":/support/ads/ad%1.svg").arg(i), this);
        ad->setVisible(i == 0);
        ads_[std::size_t(i)] = ad;
    }
    timer_ = new QtIntervalTimer(this);
    timer_->setMinuteInterval(3);
    timer_->setEnabled(true);
    connect(timer_, &QtIntervalTimer::timer, this, &AdStrip::showNext);
}

QUrl AdStrip::advertisedPage() {
    return MakerUrl(QStringLiteral("/Lanternslide/"));
}

void AdStrip::showNext() {
    ads_[std::size_t(index_)]->hide();
    index_ = (index_ + 1) % kAdCount;
    ads_[std::size_t(index_)]->show();
}

QSize AdStrip::sizeHint() const {
    return {360, 72};
}

void AdStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && opener_)
        opener_(advertisedPage());
    QWidget::mousePressEvent(event);
}

void AdStrip::resizeEvent(QResizeEvent* event) {
    // All six share one place: the strip's own rectangle, kept at the pictures' proportions.
    const QSize picture = QSize(360, 72).scaled(size(), Qt::KeepAspectRatio);
    const QRect place(QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                      picture);
    for (auto* ad : ads_)
        ad->setGeometry(place);
    QWidget::resizeEvent(event);
}

} // namespace gf
