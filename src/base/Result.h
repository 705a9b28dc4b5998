#pragma once
// Errors cross boundaries as values: a message a person can understand.
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace gf {

struct Error {
    std::string message;
};

// Success, or an Error.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Error e) : error_(std::move(e)) {}
    static Status success() { return {}; }
    static Status failure(std::string message) { return Error{std::move(message)}; }

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const {
        static const std::string none;
        return error_ ? error_->message : none;
    }

  private:
    std::optional<Error> error_;
};

// A value, or an Error.
template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : v_(std::move(value)) {}
    Result(Error e) : v_(std::move(e)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    const std::string& message() const { return std::get<1>(v_).message; }
    Status status() const { return ok() ? Status{} : Status{std::get<1>(v_)}; }

  private:
    std::variant<T, Error> v_;
};

} // namespace gf
