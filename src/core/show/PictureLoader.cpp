#include "core/show/PictureLoader.h"

#include "core/picture/PictureFile.h"
#include "core/text/TextNumber.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace gf {

namespace {
// How long a request given up on may take to stop before its decode is left behind.
constexpr auto kGiveUpAfter = std::chrono::milliseconds(100);

// One lock for every loader in the process, so that a loader can wait at once for its own
// requests and for the decode another left behind.
std::mutex gMutex;
std::condition_variable gChanged;
bool gDecoding = false; // a decode runs, perhaps one left behind
int gAbandoned = 0;
} // namespace

TwipSize FitInside(TwipSize picture, TwipSize window) {
    const auto [pw, ph] = picture;
    const auto [W, H] = window;
    if (pw <= W && ph <= H)
        return picture;
    const double ratio = std::min(double(W) / pw, double(H) / ph);
    return {std::max(1, std::min(W, RoundToInt32(pw * ratio))),
            std::max(1, std::min(H, RoundToInt32(ph * ratio)))};
}

struct PictureLoader::Shared {
    std::shared_ptr<const PictureDecoder> decoder;
    std::chrono::milliseconds deadline{};
    std::function<void()> wake; // cleared when the loader goes
    std::optional<PictureRequest> queued, running;
    bool cancelRunning = false;
    std::optional<LoadedPicture> done;
    bool stop = false;
};

// One decode on its own thread: what it gives, and whether the loader still waits for it.
struct PictureLoader::Job {
    std::atomic<bool> cancel{false};
    std::optional<LoadedPicture> result;
    bool finished = false, abandoned = false;
};

PictureLoader::PictureLoader(std::shared_ptr<const PictureDecoder> decoder,
                             std::function<void()> wake, bool worker,
                             std::chrono::milliseconds deadline)
    : shared_(std::make_shared<Shared>()) {
    shared_->decoder = std::move(decoder);
    shared_->wake = std::move(wake);
    shared_->deadline = deadline;
    if (worker)
        worker_ = std::thread(Run, shared_);
}

PictureLoader::~PictureLoader() {
    if (!worker_.joinable())
        return;
    {
        std::lock_guard lock(gMutex);
        shared_->stop = true;
        shared_->queued.reset();
        shared_->done.reset();
        shared_->wake = nullptr;
        gChanged.notify_all();
    }
    // The worker only waits, never decodes itself: it ends within kGiveUpAfter.
    worker_.join();
}

int PictureLoader::AbandonedWorkers() {
    std::lock_guard lock(gMutex);
    return gAbandoned;
}

LoadedPicture PictureLoader::Decode(const PictureDecoder& decoder, PictureRequest r,
                                    const std::atomic<bool>& cancel) {
    TwipSize shown{};
    auto sizeFor = [&](const PictureInfo& info) {
        const TwipSize natural{info.widthTwips, info.heightTwips};
        shown = info.kind == PictureKind::Metafile && r.box ? *r.box : FitInside(natural, r.window);
        return shown;
    };
    auto outcome = decoder.decode(r.path, sizeFor, cancel);
    return LoadedPicture{std::move(r), std::move(outcome), shown};
}

void PictureLoader::Serve(Shared& s, std::unique_lock<std::mutex>& lock) {
    PictureRequest r = std::move(*s.queued);
    s.queued.reset();
    s.running = r;
    s.cancelRunning = false;
    const auto deadline = std::chrono::steady_clock::now() + s.deadline;
    auto dropped = [&s] { return s.stop || s.cancelRunning; };
    auto late = [&] {
        s.running.reset();
        const auto seconds = std::max<std::int64_t>(1, (s.deadline.count() + 500) / 1000);
        s.done = LoadedPicture{
            r,
            PictureRefused(r.path, "it took longer than " + std::to_string(seconds) +
                                       (seconds == 1 ? " second" : " seconds") + " to decode"),
            {}};
        if (s.wake)
            s.wake();
    };

    // A decode left behind by this or another loader runs out first.
    if (!gChanged.wait_until(lock, deadline, [&] { return !gDecoding || dropped(); }))
        return late();
    if (dropped()) {
        s.running.reset();
        return;
    }
    gDecoding = true;
    auto job = std::make_shared<Job>();
    std::thread thread([job, decoder = s.decoder, r] {
        auto result = Decode(*decoder, r, job->cancel);
        std::lock_guard done(gMutex);
        job->result = std::move(result);
        job->finished = true;
        gDecoding = false;
        if (job->abandoned)
            --gAbandoned;
        gChanged.notify_all();
    });
    const bool inTime =
        gChanged.wait_until(lock, deadline, [&] { return job->finished || dropped(); });
    if (!job->finished) {
        job->cancel = true;
        if (!gChanged.wait_for(lock, kGiveUpAfter, [&] { return job->finished; })) {
            // Stuck in a decoder that cannot be interrupted: it owns what it uses.
            job->abandoned = true;
            ++gAbandoned;
            thread.detach();
        }
    }
    if (thread.joinable()) {
        lock.unlock();
        thread.join();
        lock.lock();
    }
    if (dropped()) {
        s.running.reset();
        return;
    }
    if (!inTime)
        return late();
    s.running.reset();
    s.done = std::move(job->result);
    if (s.wake)
        s.wake();
}

void PictureLoader::Run(std::shared_ptr<Shared> s) {
    std::unique_lock lock(gMutex);
    for (;;) {
        gChanged.wait(lock, [&] { return s->stop || s->queued; });
        if (s->stop)
            break;
        Serve(*s, lock);
    }
}

void PictureLoader::request(const PictureRequest& request) {
    if (!worker_.joinable()) {
        // Decoded here and now: nothing else can be running.
        std::atomic<bool> never{false};
        auto& s = *shared_;
        if (s.done && s.done->request == request)
            return;
        s.done = Decode(*s.decoder, request, never);
        if (s.wake)
            s.wake();
        return;
    }
    std::lock_guard lock(gMutex);
    auto& s = *shared_;
    if (s.done && s.done->request == request)
        return;
    s.done.reset();
    if (s.running && *s.running == request && !s.cancelRunning) {
        s.queued.reset();
        return;
    }
    if (s.running)
        s.cancelRunning = true;
    s.queued = request;
    gChanged.notify_all();
}

std::optional<LoadedPicture> PictureLoader::take(const PictureRequest& request) {
    std::lock_guard lock(gMutex);
    if (!shared_->done || !(shared_->done->request == request))
        return std::nullopt;
    std::optional<LoadedPicture> out = std::move(shared_->done);
    shared_->done.reset();
    return out;
}

void PictureLoader::cancel() {
    std::lock_guard lock(gMutex);
    shared_->queued.reset();
    shared_->done.reset();
    if (shared_->running)
        shared_->cancelRunning = true;
    gChanged.notify_all();
}

} // namespace gf
