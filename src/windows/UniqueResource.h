#pragma once
// Owns one system resource and gives it back once: the single move-only skeleton behind every
// handle wrapper. `Traits` names the handle type, the value that means none, and how to close.
#include <utility>

namespace gf {

template <class Traits> class UniqueResource {
  public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    UniqueResource(UniqueResource&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::none())) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.handle_, Traits::none()));
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    ~UniqueResource() { reset(); }

    explicit operator bool() const { return Traits::valid(handle_); }
    Handle get() const { return handle_; }
    // Hands the resource over, for a caller that closes it and wants to see whether that worked.
    Handle release() { return std::exchange(handle_, Traits::none()); }
    void reset(Handle handle = Traits::none()) {
        if (Traits::valid(handle_))
            Traits::close(handle_);
        handle_ = handle;
    }
    // For the calls that hand out a new resource through a pointer.
    Handle* out() {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::none();
};

// Traits for a handle whose "none" is null.
template <class H, auto Close> struct NullIsNone {
    using Handle = H;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { Close(h); }
};

} // namespace gf
