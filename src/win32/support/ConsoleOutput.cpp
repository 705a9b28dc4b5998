#include "win32/support/ConsoleOutput.h"

#include "windows/Utf16.h"

#include <algorithm>
#include <windows.h>

namespace gf {

namespace {

// The parent's console, attached once for both streams; the shell did not wait for a windowed
// program and has shown its prompt already, so the first text starts on a fresh line.
bool attached = false, freshLineDone = false;

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

bool WriteConsoleText(HANDLE console, std::string_view utf8) {
    std::wstring text = ToUtf16(utf8);
    if (!freshLineDone) {
        text.insert(0, L"\r\n");
        freshLineDone = true;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 16384));
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool WriteBytes(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

// Line ends become CR LF; whole lines go out as they come, so that progress shows.
class ConsoleOutput::Buffer final : public std::streambuf {
  public:
    explicit Buffer(Stream stream) : stream_(stream) {}
    ~Buffer() override {
        sync();
        if (ownsHandle_)
            CloseHandle(handle_);
    }
    bool isConsole() {
        decide();
        return target_ == Target::Console;
    }
    const std::string& undelivered() const { return undelivered_; }

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        pending_ += ch;
        // A long line goes in pieces, never inside a character's UTF-8 bytes.
        if (ch == '\n' || (pending_.size() >= 4096 && static_cast<unsigned char>(ch) < 0x80))
            sync();
        return c;
    }
    int sync() override {
        if (pending_.empty())
            return 0;
        if (!deliver(pending_))
            undelivered_ += pending_;
        pending_.clear();
        return 0;
    }

  private:
    enum class Target { Undecided, Nowhere, Bytes, Console };

    void decide() {
        if (target_ != Target::Undecided)
            return;
        HANDLE own = GetStdHandle(stream_ == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
        const DWORD type =
            own != nullptr && own != INVALID_HANDLE_VALUE ? GetFileType(own) : FILE_TYPE_UNKNOWN;
        // A file, a pipe or a device such as NUL takes the bytes; a console of our own takes
        // text. A console handle left over from the parent refuses it: that console is taken
        // below.
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ||
            (type == FILE_TYPE_CHAR && !IsConsole(own))) {
            handle_ = own;
            target_ = Target::Bytes;
            return;
        }
        if (type == FILE_TYPE_CHAR) {
            handle_ = own;
            target_ = Target::Console;
            return;
        }
        // A windowed program gets no console of its own, not even standard handles to its
        // parent's.
        if (!attached)
            attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
        HANDLE console = attached ? CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_EXISTING, 0, nullptr)
                                  : INVALID_HANDLE_VALUE;
        if (console == INVALID_HANDLE_VALUE) {
            target_ = Target::Nowhere;
            return;
        }
        handle_ = console;
        ownsHandle_ = true;
        target_ = Target::Console;
    }

    bool deliver(std::string_view text) {
        std::string crlf;
        crlf.reserve(text.size() + text.size() / 32);
        for (const char c : text) {
            if (c == '\n' && last_ != '\r')
                crlf += '\r';
            crlf += c;
            last_ = c;
        }
        decide();
        if (target_ == Target::Bytes)
            return WriteBytes(handle_, crlf);
        if (target_ == Target::Console)
            return WriteConsoleText(handle_, crlf);
        return false;
    }

    Stream stream_;
    Target target_ = Target::Undecided;
    HANDLE handle_ = nullptr;
    bool ownsHandle_ = false;
    char last_ = '\0'; // the last character written, for CR LF across writes
    std::string pending_, undelivered_;
};

ConsoleOutput::ConsoleOutput(Stream stream)
    : std::ostream(nullptr), buffer_(std::make_unique<Buffer>(stream)) {
    rdbuf(buffer_.get());
}

ConsoleOutput::~ConsoleOutput() {
    flush();
}

bool ConsoleOutput::isConsole() {
    return buffer_->isConsole();
}

const std::string& ConsoleOutput::undelivered() const {
    return buffer_->undelivered();
}

} // namespace gf
