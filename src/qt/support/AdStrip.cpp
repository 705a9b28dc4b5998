#include "qt/support/AdStrip.h"

#include "core/support/GuideLinks.h"
#include "qt/support/QtIntervalTimer.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace gf {

static_assert(AdStrip::kAdCount == int(kGuideTips.size()));

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// One tip: its headline and line on the strip's colours, drawn at whatever size it is given.
class TipPicture final : public QWidget {
  public:
    TipPicture(const GuideTip& tip, QWidget* parent)
        : QWidget(parent), headline_(qs(tip.headline)), line_(qs(tip.line)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient background(0, 0, width(), height());
        background.setColorAt(0, QColor(0x1d, 0x35, 0x57));
        background.setColorAt(1, QColor(0x45, 0x7b, 0x9d));
        p.setPen(Qt::NoPen);
        p.setBrush(background);
        p.drawRoundedRect(rect(), 6, 6);

        const int margin = std::max(4, height() / 10);
        const QRect text = rect().adjusted(margin + 4, margin, -margin - 4, -margin);
        QFont headline = font();
        headline.setBold(true);
        headline.setPixelSize(std::max(8, height() * 2 / 9));
        p.setFont(headline);
        p.setPen(Qt::white);
        p.drawText(text, Qt::AlignLeft | Qt::AlignTop, headline_);
        QFont small = font();
        small.setPixelSize(std::max(7, height() / 6));
        p.setFont(small);
        p.setPen(QColor(0xf1, 0xf3, 0xf5));
        const QRect lineBox = text.adjusted(0, headline.pixelSize() + margin / 2, 0, 0);
        p.drawText(lineBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line_);
    }

  private:
    QString headline_, line_;
};
} // namespace

AdStrip::AdStrip(QWidget* parent, UrlOpener opener) : QWidget(parent), opener_(std::move(opener)) {
    if (!opener_)
        opener_ = GuideOpener(this);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    for (int i = 0; i < kAdCount; ++i) {
        auto* tip = new TipPicture(kGuideTips[std::size_t(i)], this);
        tip->setVisible(i == 0);
        ads_[std::size_t(i)] = tip;
    }
    setToolTip(QStringLiteral("Click to read about %1 in the user guide")
                   .arg(qs(kGuideTips[0].headline).toLower()));
    timer_ = new QtIntervalTimer(this);
    timer_->setMinuteInterval(3);
    timer_->setEnabled(true);
    connect(timer_, &QtIntervalTimer::timer, this, &AdStrip::showNext);
}

QUrl AdStrip::tipPage(int index) {
    return GuideUrl(kGuideTips.at(std::size_t(index)).page);
}

void AdStrip::showNext() {
    ads_[std::size_t(index_)]->hide();
    index_ = (index_ + 1) % kAdCount;
    ads_[std::size_t(index_)]->show();
    setToolTip(QStringLiteral("Click to read about %1 in the user guide")
                   .arg(qs(kGuideTips[std::size_t(index_)].headline).toLower()));
}

QSize AdStrip::sizeHint() const {
    return {360, 72};
}

void AdStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && opener_)
        opener_(tipPage(index_));
    QWidget::mousePressEvent(event);
}

void AdStrip::resizeEvent(QResizeEvent* event) {
    // All six share one place: the strip's own rectangle, kept at the tips' proportions.
    const QSize picture = QSize(360, 72).scaled(size(), Qt::KeepAspectRatio);
    const QRect place(QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                      picture);
    for (auto* ad : ads_)
        ad->setGeometry(place);
    QWidget::resizeEvent(event);
}

} // namespace gf
