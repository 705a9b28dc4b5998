#pragma once
// A HelpHost with set answers; records what it was asked to show.
#include "platform/HelpHost.h"

#include <map>
#include <set>
#include <vector>

namespace gf::test {

class FakeHelpHost final : public HelpHost {
  public:
    std::optional<std::string> registeredHelpFile(std::string_view name) const override {
        if (auto it = registered.find(std::string(name)); it != registered.end())
            return it->second;
        return std::nullopt;
    }
    std::string installedHelpFile(std::string_view name) const override {
        return "/opt/gf/share/" + std::string(name);
    }
    std::string programFolder() const override { return folder; }
    bool fileExists(std::string_view path) const override {
        return existing.count(std::string(path)) != 0;
    }
    Status displayContents(std::string_view path, const void* owner) override {
        shown.emplace_back(path);
        lastOwner = owner;
        if (failViewer)
            return Status::failure("The help viewer could not be started");
        return {};
    }
    void showError(std::string_view caption, std::string_view text) override {
        errors.push_back({std::string(caption), std::string(text)});
    }

    std::map<std::string, std::string> registered;
    std::string folder = "/opt/gf/bin/";
    std::set<std::string> existing;
    bool failViewer = false;
    std::vector<std::string> shown;
    const void* lastOwner = nullptr;
    struct Message {
        std::string caption, text;
    };
    std::vector<Message> errors;
};

} // namespace gf::test
