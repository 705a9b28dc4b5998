#pragma once
// Reads and decodes the show's pictures off the window thread, so that the window thread never
// waits on a decoder: it asks, goes on handling events, and takes the result when the event pump
// is woken. A decode past its deadline becomes the slide's error; one that cannot be stopped is
// left to finish on its own, and until it has, no other decode in the process starts: one such
// decode at most, however often shows come and go.
#include "platform/PictureDecoder.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace gf {

using TwipSize = std::pair<std::int32_t, std::int32_t>;

// How long a picture may take, waiting for a decode left behind included.
inline constexpr std::chrono::milliseconds kDecodeDeadline{6000};

// The picture's size made to fit inside the window with its proportions kept; a picture that
// fits already keeps its own.
TwipSize FitInside(TwipSize picture, TwipSize window);

struct PictureRequest {
    std::string path;
    // What the file was when asked for: a result for another size or time is not used.
    std::uint64_t fileSize = 0;
    std::int64_t fileModifiedNs = 0;
    // Photos are decoded to fit the window; metafiles are drawn at `box` when it is known.
    TwipSize window;
    std::optional<TwipSize> box;
    bool operator==(const PictureRequest&) const = default;
};

struct LoadedPicture {
    PictureRequest request;
    Result<DecodedFile> outcome;
    TwipSize decodedFor; // the shown size it was decoded for
};

class PictureLoader {
  public:
    // `wake` ends the window thread's wait; the worker calls it when a result is ready. Without
    // `worker`, requests are decoded at once on the caller's thread, with no deadline.
    PictureLoader(std::shared_ptr<const PictureDecoder> decoder, std::function<void()> wake,
                  bool worker = true, std::chrono::milliseconds deadline = kDecodeDeadline);
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;
    ~PictureLoader();

    // Starts this request unless it is already running or done. Anything else asked before is
    // dropped (and stopped where the decoder can stop), so at most one picture besides the shown
    // one is held.
    void request(const PictureRequest& request);
    // The result of exactly this request once it is done, taken out of the loader.
    std::optional<LoadedPicture> take(const PictureRequest& request);
    // Drops and stops everything asked.
    void cancel();

    // Decodes left behind that still run (never more than one); the process may end without them.
    static int AbandonedWorkers();

  private:
    struct Shared;
    struct Job;
    static void Run(std::shared_ptr<Shared> shared);
    // Decodes the queued request on a thread of its own and waits for it, the deadline, or
    // the request to be dropped; `lock` holds the loaders' lock.
    static void Serve(Shared& s, std::unique_lock<std::mutex>& lock);
    static LoadedPicture Decode(const PictureDecoder& decoder, PictureRequest request,
                                const std::atomic<bool>& cancel);
    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

} // namespace gf
