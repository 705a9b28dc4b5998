#pragma once
// A one-line label for a text that holds a path: elided in the middle to the width the window
// gives it, the whole text in its tooltip, so that a long path never makes a window wider.
#include <QLabel>

namespace gf {

class PathLabel final : public QLabel {
    Q_OBJECT
  public:
    explicit PathLabel(const QString& text = {}, QWidget* parent = nullptr);

    // The whole text; text() is what the label's width shows of it.
    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void elide();

    QString full_;
};

} // namespace gf
