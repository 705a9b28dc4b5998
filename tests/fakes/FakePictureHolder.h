#pragma once
// A picture holder over a table of known files and their sizes; loads and preparations can be
// made to fail by count.
#include "platform/PictureHolder.h"

#include <map>
#include <string>

namespace gf::test {

class FakePictureHolder final : public PictureHolder {
  public:
    static constexpr std::int32_t kBannerWidth = 292 * 15, kBannerHeight = 29 * 15;

    Status load(std::string_view path) override {
        ++loads;
        lastPath = std::string(path);
        clear();
        const auto it = files.find(lastPath);
        if (loads == failLoadAt || it == files.end())
            return Status::failure("Cannot open the picture " + lastPath);
        w_ = it->second.first;
        h_ = it->second.second;
        return {};
    }
    void loadBanner() override {
        w_ = kBannerWidth;
        h_ = kBannerHeight;
        banner_ = true;
    }
    void clear() override { w_ = h_ = 0, banner_ = false; }
    bool holdsBanner() const override { return banner_; }
    std::int32_t width() const override { return w_; }
    std::int32_t height() const override { return h_; }
    Status prepare(std::int32_t w, std::int32_t h) override {
        ++prepares;
        preparedW = w, preparedH = h;
        if (prepares == failPrepareAt)
            return Status::failure("The picture is damaged");
        return {};
    }

    void add(const std::string& path, std::int32_t w, std::int32_t h) { files[path] = {w, h}; }
    // The n-th call from now fails (1 = the next one).
    void failLoad(int n) { failAt(failLoadAt, loads, n); }
    void failPrepare(int n) { failAt(failPrepareAt, prepares, n); }

    std::map<std::string, std::pair<std::int32_t, std::int32_t>> files;
    std::string lastPath;
    int loads = 0, prepares = 0;
    std::int32_t preparedW = 0, preparedH = 0;

  private:
    static void failAt(int& at, int count, int n) { at = count + n; }
    std::int32_t w_ = 0, h_ = 0;
    bool banner_ = false;
    int failLoadAt = -1, failPrepareAt = -1;
};

} // namespace gf::test
