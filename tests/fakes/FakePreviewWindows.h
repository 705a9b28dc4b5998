#pragma once
// Preview windows in memory: a set of existing host windows and a log of what the form did.
#include "platform/PreviewWindows.h"

#include <map>
#include <string>
#include <vector>

namespace gf {

class FakePreviewWindows final : public PreviewWindows {
  public:
    std::map<std::int32_t, PreviewRect> windows; // existing host windows
    std::vector<std::string> log;
    PreviewGeometry placed;
    bool hooked = false, unloaded = false;

    bool isWindow(std::int32_t handle) override { return windows.count(handle) != 0; }
    PreviewRect clientRect(std::int32_t handle) override {
        auto it = windows.find(handle);
        return it == windows.end() ? PreviewRect{} : it->second;
    }
    void placeBoxes(const PreviewGeometry& g) override {
        placed = g;
        log.push_back("place");
    }
    void hostBoxes(std::int32_t handle) override {
        log.push_back("host " + std::to_string(handle));
    }
    void releaseBackground() override { log.push_back("release"); }
    void hookBackground() override {
        hooked = true;
        log.push_back("hook");
    }
    void unhookBackground() override {
        hooked = false;
        log.push_back("unhook");
    }
    void formUnloaded() override {
        unloaded = true;
        log.push_back("unloaded");
    }
};

} // namespace gf
