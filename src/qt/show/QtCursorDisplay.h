#pragma once
// The cursor's display counter: hidden over the application while below 0; shown again when
// this object goes away, whatever the counter says.
#include "platform/CursorDisplay.h"

namespace gf {

class QtCursorDisplay final : public CursorDisplay {
  public:
    QtCursorDisplay() = default;
    QtCursorDisplay(const QtCursorDisplay&) = delete;
    QtCursorDisplay& operator=(const QtCursorDisplay&) = delete;
    ~QtCursorDisplay() override;
    int showCursor(bool show) override;
    bool hidden() const { return hidden_; }

  private:
    int counter_ = 0;
    bool hidden_ = false;
};

} // namespace gf
