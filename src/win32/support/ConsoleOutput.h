#pragma once
// Where a windowed program's text answers reach a person: a redirected standard handle (a file
// or a pipe) as UTF-8, else the console of the program that started this one, as an ostream.
#include <memory>
#include <ostream>
#include <string>

namespace gf {

class ConsoleOutput final : public std::ostream {
  public:
    enum class Stream { Output, Error };
    explicit ConsoleOutput(Stream stream);
    ~ConsoleOutput() override;
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    // A console window, where a person reads the text as it comes (not a file or a pipe).
    bool isConsole();
    // What could not be written anywhere, as when started from Explorer.
    const std::string& undelivered() const;

  private:
    class Buffer;
    std::unique_ptr<Buffer> buffer_;
};

} // namespace gf
