#pragma once
// Settings in the registry. The core names HKEY_LOCAL_MACHINE for the program's own key, which
// a standard user may not write since Windows Vista: those values are read from
// HKEY_CURRENT_USER first, HKEY_LOCAL_MACHINE serving the values the user has not stored, and
// written to HKEY_CURRENT_USER. Other roots are read and written as named. Values are REG_SZ.
#include "platform/SettingsStore.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace gf {

class Win32SettingsStore final : public SettingsStore {
  public:
    std::optional<StoredValue> read(std::uint32_t root, std::string_view keyPath,
                                    std::string_view name) const override;
    void write(std::uint32_t root, std::string_view keyPath, std::string_view name,
               std::string_view text) override;
    // Every buffered value or none: a value the registry refuses puts back the ones written
    // before it. (A power cut in the middle is beyond this; the registry keeps what it had
    // written by then.)
    Status flush() override;

  private:
    // Per key (the root it is written to and its path), the values in the order written.
    std::map<std::pair<std::uint32_t, std::string>,
             std::vector<std::pair<std::string, std::string>>>
        pending_;
};

} // namespace gf
