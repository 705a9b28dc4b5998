#pragma once
// The user who runs this process as the system knows them (a SID), and the protection that lets
// that user alone into a new file or folder.
#include <string>
#include <vector>
#include <windows.h>

namespace gf {

class CurrentUser {
  public:
    // Reads the process's token once.
    CurrentUser();
    CurrentUser(const CurrentUser&) = delete;
    CurrentUser& operator=(const CurrentUser&) = delete;

    // "S-1-5-21-…"; empty when the token could not be read.
    const std::string& sidText() const { return sidText_; }
    // This user, or the owner this user gives what they create (an elevated administrator's
    // files belong to the Administrators group).
    bool owns(PSID owner) const;
    // Full control for this user alone, nothing inherited from the folder above, handed on to
    // what is made inside; null when the token could not be read, and the folder's own
    // protection applies.
    SECURITY_ATTRIBUTES* privateAccess() { return ready_ ? &attributes_ : nullptr; }

  private:
    std::vector<unsigned char> user_, owner_, acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    std::string sidText_;
    bool ready_ = false;
};

} // namespace gf
