#include "qt/support/AdStrip.h"

#include "qt/support/QtText.h"

#include "core/help/GuideLinks.h"
#include "qt/support/QtIntervalTimer.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace gf {

namespace {
const GuideTip& Tip(int index) {
    return GuideTips(kGuidePlatform).at(std::size_t(index));
}

// The tips' text: the window's own font, the headline in bold; the room around it.
QFont HeadlineFont(const QFont& base) {
    QFont bold = base;
    bold.setBold(true);
    return bold;
}
constexpr int kMargin = 6;

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
        background.setColorAt(0, QColor(QRgb(TipRotation::kBackgroundFrom)));
        background.setColorAt(1, QColor(QRgb(TipRotation::kBackgroundTo)));
        p.setPen(Qt::NoPen);
        p.setBrush(background);
        p.drawRoundedRect(rect(), 6, 6);

        // The text keeps the window's font size however small the strip: what does not fit is
        // cut at the bottom, never shrunk past reading.
        const QRect text = rect().adjusted(kMargin + 4, kMargin, -kMargin - 4, -kMargin);
        const QFont headline = HeadlineFont(font());
        p.setFont(headline);
        p.setPen(QColor(QRgb(TipRotation::kHeadlineColor)));
        p.drawText(text, Qt::AlignLeft | Qt::AlignTop, headline_);
        p.setFont(font());
        p.setPen(QColor(QRgb(TipRotation::kLineColor)));
        const QRect lineBox = text.adjusted(0, QFontMetrics(headline).lineSpacing(), 0, 0);
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
        auto* tip = new TipPicture(Tip(i), this);
        tip->setVisible(i == 0);
        ads_[std::size_t(i)] = tip;
    }
    setToolTip(qs(tips_.tooltip()));
    timer_ = new QtIntervalTimer(this);
    timer_->setMinuteInterval(TipRotation::kMinutesPerTip);
    timer_->setEnabled(true);
    connect(timer_, &QtIntervalTimer::timer, this, &AdStrip::showNext);
}

void AdStrip::showNext() {
    ads_[tips_.index()]->hide();
    tips_.next();
    ads_[tips_.index()]->show();
    setToolTip(qs(tips_.tooltip()));
}

QSize AdStrip::sizeHint() const {
    // A headline and two lines of the window's font, about forty characters wide.
    const QFontMetrics line(font());
    return {line.averageCharWidth() * 42 + 2 * kMargin + 8,
            QFontMetrics(HeadlineFont(font())).lineSpacing() + 2 * line.lineSpacing() +
                2 * kMargin};
}

void AdStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && opener_)
        opener_(GuideUrl(tips_.current().page));
    QWidget::mousePressEvent(event);
}

void AdStrip::resizeEvent(QResizeEvent* event) {
    // All six share one place: the strip's own rectangle.
    for (auto* ad : ads_)
        ad->setGeometry(rect());
    QWidget::resizeEvent(event);
}

} // namespace gf
