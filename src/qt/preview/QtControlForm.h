#pragma once
// The preview form on X11: the hidden form "Glimmerframe" with its white box and fixed picture,
// lent to the host's preview window; the white box hears the host's close request.
#include "core/preview/ControlForm.h"
#include "platform/PreviewWindows.h"
#include "qt/support/QtPlatformTimer.h"

#include <QAbstractNativeEventFilter>
#include <QWidget>

#include <memory>

class QLabel;
class QWindow;

namespace gf {

class QtControlForm final : public QWidget,
                            public PreviewWindows,
                            private QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    explicit QtControlForm(const ProcessState& process);
    ~QtControlForm() override;

    // Loads the form (ControlForm::load); false when it unloaded at once.
    bool load() { return form_.load(); }

    // The fixed picture: our own drawing, 93 x 53 pixels.
    static QPixmap previewPicture();

    bool isWindow(std::int32_t handle) override;
    PreviewRect clientRect(std::int32_t handle) override;
    void placeBoxes(const PreviewGeometry& geometry) override;
    void hostBoxes(std::int32_t handle) override;
    void releaseBackground() override;
    void hookBackground() override;
    void unhookBackground() override;
    void formUnloaded() override;

  private:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

    const ProcessState& process_;
    QtPlatformTimer timer_; // the form's poll timer, made before the form that takes it over
    ControlForm form_;
    QWidget* background_ = nullptr; // Picture1
    QLabel* picture_ = nullptr;     // Picture2
    std::unique_ptr<QWindow> host_; // Qt's wrapper of the host's preview window
    bool hooked_ = false;
    std::uint32_t protocolsAtom_ = 0, deleteAtom_ = 0;
};

} // namespace gf
