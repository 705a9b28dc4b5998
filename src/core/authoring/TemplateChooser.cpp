#include "core/authoring/TemplateChooser.h"

#include "core/files/Paths.h"

namespace gf {

void TemplateChooser::click(std::string_view folder, std::string_view fileName) {
    m_.chooserSelectionPath = AddBackslash(folder);
    m_.chooserSelection = m_.chooserSelectionPath + std::string(fileName);
}

} // namespace gf
