#pragma once
// Errors cross boundaries as values: what went wrong (a kind code can act on), what it is about,
// and a sentence a person can understand. Code decides by the kind, never by the sentence.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace gf {

enum class ErrorKind {
    Failed,    // anything not below
    NotFound,  // the file or item is not there
    Cancelled, // the user stopped it; nothing to report
    Invalid,   // the input is not what it must be
};

struct Error {
    Error() = default;
    explicit Error(std::string sentence, ErrorKind k = ErrorKind::Failed, std::string about = {},
                   std::string why = {})
        : message(std::move(sentence)), kind(k), subject(std::move(about)), reason(std::move(why)) {
    }

    std::string message; // the whole sentence, as shown
    ErrorKind kind = ErrorKind::Failed;
    std::string subject; // the path or value it is about; may be empty
    std::string reason;  // why, without the subject ("the disk is full"); may be empty

    // Why this went wrong for `path`: the reason when the error is about that path, else the
    // whole sentence.
    const std::string& reasonFor(std::string_view path) const {
        return !reason.empty() && subject == path ? reason : message;
    }
};

// Shaped like std::expected<void, Error>; asking a success for its error gives an empty one.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Error e) : error_(std::move(e)) {}
    static Status success() { return {}; }
    static Status failure(std::string message) { return Error{std::move(message)}; }

    bool ok() const { return !error_; }
    bool has_value() const { return ok(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_ ? *error_ : none(); }
    const std::string& message() const { return error().message; }
    ErrorKind kind() const { return error().kind; }

    static const Error& none() {
        static const Error empty;
        return empty;
    }

  private:
    std::optional<Error> error_;
};

// Shaped like std::expected<T, Error>: a value, or an Error. Asking a success for its error
// gives an empty one; asking a failure for its value is a programming error (checked).
template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : v_(std::move(value)) {}
    Result(Error e) : v_(std::move(e)) {}

    bool ok() const { return v_.index() == 0; }
    bool has_value() const { return ok(); }
    explicit operator bool() const { return ok(); }
    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    const Error& error() const { return ok() ? Status::none() : std::get<1>(v_); }
    const std::string& message() const { return error().message; }
    ErrorKind kind() const { return error().kind; }
    Status status() const { return ok() ? Status{} : Status{std::get<1>(v_)}; }

  private:
    std::variant<T, Error> v_;
};

} // namespace gf
