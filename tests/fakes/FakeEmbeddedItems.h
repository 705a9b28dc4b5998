#pragma once
// Package items from tables: which slides have a picture or a sound; records what was asked.
#include "core/template/EmbeddedItems.h"

#include <map>
#include <string>
#include <vector>

namespace gf::test {

class FakeEmbeddedItems final : public EmbeddedItems {
  public:
    bool ReadSCR(SlideList& slides) override {
        slides = directory;
        return true;
    }
    bool LoadImbeddedImage(int index, const std::function<bool()>&) override {
        imageCalls.push_back(index);
        if (onExtract)
            onExtract();
        return pictures.count(index) != 0;
    }
    std::string LoadImbeddedSound(int index, const std::function<bool()>&) override {
        soundCalls.push_back(index);
        const auto it = sounds.find(index);
        return it == sounds.end() ? std::string() : it->second;
    }
    bool HasImbeddedSound(int index) const override { return sounds.count(index) != 0; }
    std::string PicturePath(int index) const override {
        return "/tmp/none/Glimmerframe-" + std::to_string(index) + ".pic";
    }
    void RemovePictures() override { ++removals; }
    void KeepPictures(std::size_t count) override { kept = count; }

    SlideList directory;
    std::map<int, bool> pictures;
    std::map<int, std::string> sounds;
    std::vector<int> imageCalls, soundCalls;
    int removals = 0;
    std::size_t kept = 2;
    std::function<void()> onExtract;
};

} // namespace gf::test
