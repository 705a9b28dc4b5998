#include "windows/CurrentUser.h"

#include "windows/UniqueHandle.h"
#include "windows/Utf16.h"

#include <sddl.h>

namespace gf {

namespace {

std::vector<unsigned char> TokenPart(HANDLE token, TOKEN_INFORMATION_CLASS part) {
    DWORD size = 0;
    GetTokenInformation(token, part, nullptr, 0, &size);
    std::vector<unsigned char> data(size);
    if (size == 0 || !GetTokenInformation(token, part, data.data(), size, &size))
        data.clear();
    return data;
}

PSID UserSid(const std::vector<unsigned char>& user) {
    return user.empty() ? nullptr : reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
}

PSID OwnerSid(const std::vector<unsigned char>& owner) {
    return owner.empty() ? nullptr : reinterpret_cast<const TOKEN_OWNER*>(owner.data())->Owner;
}

} // namespace

CurrentUser::CurrentUser() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return;
    const UniqueHandle token(raw);
    user_ = TokenPart(token.get(), TokenUser);
    owner_ = TokenPart(token.get(), TokenOwner);
    const PSID sid = UserSid(user_);
    if (!sid || !IsValidSid(sid))
        return;
    wchar_t* text = nullptr;
    if (ConvertSidToStringSidW(sid, &text)) {
        sidText_ = ToUtf8(text);
        LocalFree(text);
    }

    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid);
    acl_.resize(aclSize);
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    ready_ = InitializeAcl(acl, aclSize, ACL_REVISION) &&
             AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                                   FILE_ALL_ACCESS, sid) &&
             InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
             SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) &&
             SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = &descriptor_;
    attributes_.bInheritHandle = FALSE;
}

bool CurrentUser::owns(PSID owner) const {
    if (!owner || !IsValidSid(owner))
        return false;
    const PSID user = UserSid(user_), defaultOwner = OwnerSid(owner_);
    return (user && EqualSid(owner, user)) || (defaultOwner && EqualSid(owner, defaultOwner));
}

} // namespace gf
