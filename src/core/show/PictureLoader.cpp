#include "core/show/PictureLoader.h"

#include "core/support/TextNumber.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace gf {

namespace {
// How long a closing show waits for a decode to stop before it leaves it behind.
constexpr auto kGiveUpAfter = std::chrono::milliseconds(100);
std::atomic<int> gAbandoned{0};
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
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> wake; // cleared when the loader goes
    std::optional<PictureRequest> queued, running;
    std::atomic<bool> cancelRunning{false};
    std::optional<LoadedPicture> done;
    bool stop = false, finished = false, abandoned = false;
};

PictureLoader::PictureLoader(std::shared_ptr<const PictureDecoder> decoder,
                             std::function<void()> wake, bool worker)
    : shared_(std::make_shared<Shared>()) {
    shared_->decoder = std::move(decoder);
    shared_->wake = std::move(wake);
    if (worker)
        worker_ = std::thread(Run, shared_);
}

PictureLoader::~PictureLoader() {
    if (!worker_.joinable())
        return;
    std::unique_lock lock(shared_->mutex);
    shared_->stop = true;
    shared_->cancelRunning = true;
    shared_->queued.reset();
    shared_->done.reset();
    shared_->wake = nullptr;
    shared_->changed.notify_all();
    if (shared_->changed.wait_for(lock, kGiveUpAfter, [this] { return shared_->finished; })) {
        lock.unlock();
        worker_.join();
        return;
    }
    // Stuck in a decoder that cannot be interrupted: it owns what it uses and ends by itself.
    shared_->abandoned = true;
    ++gAbandoned;
    lock.unlock();
    worker_.detach();
}

int PictureLoader::AbandonedWorkers() {
    return gAbandoned.load();
}

void PictureLoader::Serve(Shared& s, std::unique_lock<std::mutex>& lock) {
    PictureRequest r = std::move(*s.queued);
    s.queued.reset();
    s.running = r;
    s.cancelRunning = false;
    lock.unlock();

    TwipSize shown{};
    auto sizeFor = [&](const PictureInfo& info) {
        const TwipSize natural{info.widthTwips, info.heightTwips};
        shown = info.kind == PictureKind::Metafile && r.box ? *r.box : FitInside(natural, r.window);
        return shown;
    };
    auto outcome = s.decoder->decode(r.path, sizeFor, s.cancelRunning);

    lock.lock();
    s.running.reset();
    if (!s.cancelRunning && !s.stop) {
        s.done = LoadedPicture{std::move(r), std::move(outcome), shown};
        if (s.wake)
            s.wake();
    }
}

void PictureLoader::Run(std::shared_ptr<Shared> s) {
    std::unique_lock lock(s->mutex);
    for (;;) {
        s->changed.wait(lock, [&] { return s->stop || s->queued; });
        if (s->stop)
            break;
        Serve(*s, lock);
    }
    s->finished = true;
    if (s->abandoned)
        --gAbandoned;
    s->changed.notify_all();
}

void PictureLoader::request(const PictureRequest& request) {
    std::unique_lock lock(shared_->mutex);
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
    if (!worker_.joinable())
        return Serve(s, lock);
    s.changed.notify_all();
}

std::optional<LoadedPicture> PictureLoader::take(const PictureRequest& request) {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->done || !(shared_->done->request == request))
        return std::nullopt;
    std::optional<LoadedPicture> out = std::move(shared_->done);
    shared_->done.reset();
    return out;
}

void PictureLoader::cancel() {
    std::lock_guard lock(shared_->mutex);
    shared_->queued.reset();
    shared_->done.reset();
    if (shared_->running)
        shared_->cancelRunning = true;
}

} // namespace gf
