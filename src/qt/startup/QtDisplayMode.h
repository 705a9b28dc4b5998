#pragma once
// The show as an XScreenSaver display program: drawn inside the window it is given (the root
// window or a window of its own otherwise), at that window's size and following it, ending when
// the window goes away. Input, the cursor and locking stay with the host.
#include "base/Result.h"
#include "core/settings/StartupState.h"
#include "core/startup/DisplayModeOptions.h"
#include "platform/SettingsStore.h"

#include <QObject>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace gf {

class QtShow;

class QtDisplayMode final : public QObject {
    Q_OBJECT
  public:
    // Starts the first slide; an error when there is no window to draw in or the show cannot
    // start.
    static Result<std::unique_ptr<QtDisplayMode>>
    Start(ProcessState& process, const SettingsStore& store, const DisplayModeOptions& options);
    ~QtDisplayMode() override;

  private:
    QtDisplayMode(ProcessState& process, const SettingsStore& store);
    Status startShow();
    void poll();

    ProcessState& process_;
    const SettingsStore& store_;
    std::unique_ptr<QWidget> ownWindow_;
    WId target_ = 0;
    QSize size_;
    std::unique_ptr<QtShow> show_;
    QTimer poll_;
};

} // namespace gf
