#include "qt/preview/QtControlForm.h"

#include "qt/preview/QtX11.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

#include <cmath>
#include <functional>
#include <xcb/xcb.h>

namespace gf {
namespace {

// The white box: a close request from the host goes to the form instead of closing it.
class BackgroundBox final : public QWidget {
  public:
    BackgroundBox(std::function<void()> onClose) : onClose_(std::move(onClose)) {
        setAttribute(Qt::WA_NativeWindow);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
    }

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        onClose_();
    }

  private:
    std::function<void()> onClose_;
};

} // namespace

QPixmap QtControlForm::previewPicture() {
    QPixmap pm(kPreviewPictureWidth, kPreviewPictureHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kPreviewPictureHeight);
    sky.setColorAt(0, QColor(27, 42, 107));
    sky.setColorAt(1, QColor(247, 163, 92));
    p.fillRect(pm.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 233, 168));
    p.drawEllipse(QPointF(62, 26), 9, 9);
    QPainterPath hills;
    hills.moveTo(0, 53);
    hills.lineTo(0, 38);
    hills.cubicTo(20, 30, 35, 44, 55, 37);
    hills.cubicTo(70, 32, 82, 36, 93, 34);
    hills.lineTo(93, 53);
    p.setBrush(QColor(34, 49, 79));
    p.drawPath(hills);
    // A second slide peeking in from the right: this is a slide show.
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRect(QRectF(80, 6, 10, 14));
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kPreviewPictureWidth - 1, kPreviewPictureHeight - 1));
    return pm;
}

QtControlForm::QtControlForm(const ProcessState& process)
    : process_(process), form_(process, *this, timer_) {
    setWindowTitle(QStringLiteral("Glimmerframe"));
    background_ = new BackgroundBox([this] { form_.closeRequested(); });
    picture_ = new QLabel;
    picture_->setAttribute(Qt::WA_NativeWindow);
    picture_->setPixmap(previewPicture());
    picture_->setFixedSize(kPreviewPictureWidth, kPreviewPictureHeight);
    picture_->setAutoFillBackground(true);
    QPalette p = picture_->palette();
    p.setColor(QPalette::Window, Qt::white);
    picture_->setPalette(p);
    for (QWidget* w : {background_, static_cast<QWidget*>(picture_)})
        w->setWindowFlags(Qt::FramelessWindowHint);
}

QtControlForm::~QtControlForm() {
    unhookBackground();
    delete picture_;
    delete background_;
    host_.reset(); // only the wrapper: the host's window stays
}

bool QtControlForm::isWindow(std::int32_t handle) {
    return QtX11::windowExists(std::uint32_t(handle));
}

PreviewRect QtControlForm::clientRect(std::int32_t handle) {
    const auto size = QtX11::windowSize(std::uint32_t(handle));
    if (!size)
        return {};
    return {0, 0, size->first, size->second};
}

void QtControlForm::placeBoxes(const PreviewGeometry& g) {
    const auto px = BoxPixels(g, process_.startup.TwipsPerPixelX, process_.startup.TwipsPerPixelY);
    background_->setGeometry(0, 0, px.backgroundWidth, px.backgroundHeight);
    picture_->move(px.pictureLeft, px.pictureTop);
}

void QtControlForm::hostBoxes(std::int32_t handle) {
    // Foreign windows are owned by the host; Qt only wraps this one.
    host_.reset(QWindow::fromWinId(WId(std::uint32_t(handle))));
    QWindow* host = host_.get();
    for (QWidget* box : {background_, static_cast<QWidget*>(picture_)}) {
        const QPoint at = box->pos();
        box->winId();
        box->windowHandle()->setParent(host);
        box->windowHandle()->setPosition(at);
        box->show();
    }
    picture_->raise();
}

void QtControlForm::releaseBackground() {
    background_->hide();
    if (background_->windowHandle())
        background_->windowHandle()->setParent(nullptr);
}

void QtControlForm::hookBackground() {
    if (hooked_)
        return;
    protocolsAtom_ = QtX11::atom("WM_PROTOCOLS");
    deleteAtom_ = QtX11::atom("WM_DELETE_WINDOW");
    QCoreApplication::instance()->installNativeEventFilter(this);
    hooked_ = true;
}

void QtControlForm::unhookBackground() {
    if (!hooked_)
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    hooked_ = false;
}

bool QtControlForm::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return false;
    auto* cm = reinterpret_cast<xcb_client_message_event_t*>(event);
    if (cm->window != std::uint32_t(background_->winId()) || cm->type != protocolsAtom_ ||
        cm->data.data32[0] != deleteAtom_)
        return false; // everything else reaches the box as before
    form_.closeRequested();
    return true;
}

void QtControlForm::formUnloaded() {
    background_->hide();
    picture_->hide();
    // Before the event loop runs, start-up sees that no window is loaded and simply returns.
    QCoreApplication::quit();
}

} // namespace gf
