#pragma once
// Owns one reference to a COM object and releases it once.
#include <unknwn.h>
#include <utility>

namespace gf {

template <class Interface> class ComPointer {
  public:
    ComPointer() = default;
    ComPointer(ComPointer&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPointer& operator=(ComPointer&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() { reset(); }

    explicit operator bool() const { return p_ != nullptr; }
    Interface* get() const { return p_; }
    Interface* operator->() const { return p_; }
    // For the calls that hand out a new reference through a pointer.
    Interface** out() {
        reset();
        return &p_;
    }
    void** outVoid() { return reinterpret_cast<void**>(out()); }
    void reset() {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }

  private:
    Interface* p_ = nullptr;
};

} // namespace gf
