#pragma once
// Owns an open registry key and closes it once.

#include <utility>
#include <windows.h>

namespace gf {

class RegistryKey {
  public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { reset(); }

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }
    // For the calls that open a key into a pointer.
    HKEY* out() {
        reset();
        return &key_;
    }

  private:
    void reset() {
        if (key_)
            RegCloseKey(std::exchange(key_, nullptr));
    }
    HKEY key_ = nullptr;
};

} // namespace gf
