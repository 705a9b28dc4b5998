#pragma once
// A picture decoder over a table of known files and their natural sizes; counts its decodes
// (it runs on the loader's worker), and files can be made to fail. The decoded "picture" is
// just its size in pixels.
#include "platform/PictureDecoder.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace gf::test {

class FakeDecodedPicture final : public DecodedPicture {
  public:
    FakeDecodedPicture(std::int32_t w, std::int32_t h) : w_(w), h_(h) {}
    std::int32_t widthPixels() const override { return w_; }
    std::int32_t heightPixels() const override { return h_; }

  private:
    std::int32_t w_, h_;
};

class FakePictureDecoder final : public PictureDecoder {
  public:
    static constexpr std::int32_t kTwipsPerPixel = 15;
    static constexpr std::int32_t kBannerWidth = 292 * 15, kBannerHeight = 29 * 15;

    Result<DecodedFile> decode(std::string_view path, const ShownSize& shown,
                               const std::atomic<bool>& cancel) const override {
        std::unique_lock lock(mutex_);
        const std::string p(path);
        decoded_.push_back(p);
        // A held file decodes like one that cannot be interrupted, until it is let go.
        released_.wait(lock, [&] { return !held_.count(p); });
        if (cancel)
            return Error{"stopped"};
        const auto it = files_.find(p);
        if (it == files_.end())
            return Error{"Cannot open the picture " + p};
        const auto good = goodDecodes_.find(p);
        if (failing_.count(p) || (good != goodDecodes_.end() && good->second-- <= 0))
            return Error{"The picture " + p + " is damaged"};
        const auto [w, h] = shown(it->second);
        return DecodedFile{it->second, std::make_shared<FakeDecodedPicture>(w / kTwipsPerPixel,
                                                                            h / kTwipsPerPixel)};
    }
    DecodedFile banner() const override {
        return {{PictureKind::Photo, kBannerWidth, kBannerHeight},
                std::make_shared<FakeDecodedPicture>(292, 29)};
    }

    void add(const std::string& path, std::int32_t w, std::int32_t h,
             PictureKind kind = PictureKind::Photo, std::optional<CivilTime> taken = {}) {
        std::lock_guard lock(mutex_);
        files_[path] = {kind, w, h, taken};
    }
    void fail(const std::string& path, bool failing = true) {
        std::lock_guard lock(mutex_);
        if (failing)
            failing_.insert(path);
        else
            failing_.erase(path);
    }
    // The next `count` decodes of the file succeed, those after fail.
    void failAfter(const std::string& path, int count) {
        std::lock_guard lock(mutex_);
        goodDecodes_[path] = count;
    }
    void hold(const std::string& path) {
        std::lock_guard lock(mutex_);
        held_.insert(path);
    }
    void letGo() {
        std::lock_guard lock(mutex_);
        held_.clear();
        released_.notify_all();
    }
    // The paths decoded so far, in order.
    std::vector<std::string> decoded() const {
        std::lock_guard lock(mutex_);
        return decoded_;
    }
    std::size_t decodes() const { return decoded().size(); }
    // Until `count` decodes have happened (the worker runs on its own); false after 5 s.
    bool waitForDecodes(std::size_t count) const;

  private:
    mutable std::mutex mutex_;
    std::map<std::string, PictureInfo> files_;
    std::set<std::string> failing_, held_;
    mutable std::map<std::string, int> goodDecodes_;
    mutable std::condition_variable released_;
    mutable std::vector<std::string> decoded_;
};

inline bool FakePictureDecoder::waitForDecodes(std::size_t count) const {
    for (int i = 0; i < 5000; ++i) {
        if (decodes() >= count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

} // namespace gf::test
