#pragma once
// The screen-saver password dialog of systems that leave the password to the screen saver.
namespace gf {

class PasswordCheck {
  public:
    virtual ~PasswordCheck() = default;
    // True when the password was entered correctly or none is set.
    virtual bool verify() = 0;
};

} // namespace gf
