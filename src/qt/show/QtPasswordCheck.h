#pragma once
// The password question of the older systems' rules: this desktop has no screen-saver password
// of its own, so the person is asked to confirm that the show should end.
#include "platform/PasswordCheck.h"

class QWidget;

namespace gf {

class QtPasswordCheck final : public PasswordCheck {
  public:
    explicit QtPasswordCheck(QWidget* parent) : parent_(parent) {}
    bool verify() override;

  private:
    QWidget* parent_;
};

} // namespace gf
