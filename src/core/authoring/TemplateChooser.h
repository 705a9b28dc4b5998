#pragma once
// The template chooser's choice; it lives for the whole run, so the last choice is offered again.
#include "core/settings/AuthoringMemory.h"

#include <string>
#include <string_view>

namespace gf {

class TemplateChooser {
  public:
    explicit TemplateChooser(AuthoringMemory& memory) : m_(memory) {}

    // A click on a file in `folder` chooses it; the dialog stays open.
    void click(std::string_view folder, std::string_view fileName);
    // Cancel forgets the choice but keeps its folder.
    void cancel() { m_.chooserSelection.clear(); }

    // Full path of the chosen template; empty when nothing is chosen.
    const std::string& Selection() const { return m_.chooserSelection; }
    const std::string& SelectionPath() const { return m_.chooserSelectionPath; }

  private:
    AuthoringMemory& m_;
};

} // namespace gf
