#pragma once
// What tests do to files and processes that each platform does its own way: a file no one can
// read, access rules to see kept, a folder for this user alone, a process that has ended, and
// the show's scratch root moved into a test's folder.
#include <cstdint>
#include <string>

namespace gf::test {

// Unreadable while this lives: without permissions on POSIX (not for root, whom nothing
// stops: active() is then false), held open without sharing on Windows.
class UnreadableFile {
  public:
    explicit UnreadableFile(const std::string& path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;
    bool active() const { return active_; }

  private:
    std::string path_;
    void* handle_ = nullptr;
    bool active_ = false;
};

// Access that differs from a new file's (POSIX: mode 0640; Windows: the hidden attribute), and
// whether a file still has it.
void GiveDistinctAccess(const std::string& path);
bool HasDistinctAccess(const std::string& path);

// No one but this user (and, on Windows, the system itself) may enter.
bool IsPrivateFolder(const std::string& path);

// A child process that has ended, or one that runs (doing nothing) until this goes. An ended
// one's number stays unused while this lives (on POSIX, until the system reuses it).
class ChildProcess {
  public:
    enum class State { Ended, Running };
    explicit ChildProcess(State state);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    std::uint64_t id() const { return id_; }

  private:
    std::uint64_t id_ = 0;
    void* handle_ = nullptr;
};

// The file system's scratch root is `folder` while this lives (XDG_RUNTIME_DIR on POSIX, TMP
// on Windows).
class ScratchRootAt {
  public:
    explicit ScratchRootAt(const std::string& folder);
    ~ScratchRootAt();
    ScratchRootAt(const ScratchRootAt&) = delete;
    ScratchRootAt& operator=(const ScratchRootAt&) = delete;

  private:
    bool had_ = false;
    std::string old_;
};

} // namespace gf::test
