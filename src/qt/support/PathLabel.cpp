#include "qt/support/PathLabel.h"

#include "qt/support/QtText.h"

#include "core/files/PathElision.h"

namespace gf {

namespace {
// What the label asks for: the whole text up to this many average characters, and no less
// than a few of them.
constexpr int kWantedCharacters = 48, kLeastCharacters = 12;
} // namespace

PathLabel::PathLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setFullText(text);
}

void PathLabel::setFullText(const QString& text) {
    full_ = text;
    setToolTip(text);
    elide();
}

QSize PathLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int width =
        std::min(metrics.horizontalAdvance(full_), metrics.averageCharWidth() * kWantedCharacters);
    return {width + 2 * margin(), QLabel::minimumSizeHint().height()};
}

QSize PathLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * kLeastCharacters + 2 * margin(),
            QLabel::minimumSizeHint().height()};
}

void PathLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void PathLabel::elide() {
    const QFontMetrics metrics = fontMetrics();
    const std::string shown =
        ElidePath(full_.toStdString(), contentsRect().width() - 2 * margin(),
                  [&](std::string_view s) { return metrics.horizontalAdvance(qs(s)); });
    QLabel::setText(QString::fromStdString(shown));
}

} // namespace gf
