#pragma once
// Scripted answers to the designer's questions, with a record of what was asked.
#include "platform/DesignerDialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace gf::test {

class FakeDesignerDialogs final : public DesignerDialogs {
  public:
    bool confirmAnswer = false;
    bool yesNoAnswer = true;
    std::optional<std::string> savePath; // nothing: the save dialog is cancelled
    ChosenTemplate chosen;
    // Called in place of the editor's window; by default it returns a Cancel.
    std::function<EntryEditorResults(const EditRequest&)> editor;

    int confirmCount = 0;
    std::vector<std::string> saveProposals;
    std::vector<EditRequest> editRequests;
    std::vector<std::string> errors;
    std::vector<std::string> yesNoQuestions;

    bool ConfirmSave() override {
        ++confirmCount;
        return confirmAnswer;
    }
    std::optional<std::string> askSavePath(std::string_view proposal) override {
        saveProposals.emplace_back(proposal);
        return savePath;
    }
    ChosenTemplate chooseTemplate() override { return chosen; }
    EntryEditorResults editEntry(const EditRequest& request) override {
        editRequests.push_back(request);
        return editor ? editor(request) : EntryEditorResults{};
    }
    void showError(std::string_view message) override { errors.emplace_back(message); }
    bool askYesNo(std::string_view message) override {
        yesNoQuestions.emplace_back(message);
        return yesNoAnswer;
    }
};

} // namespace gf::test
