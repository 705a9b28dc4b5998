#pragma once
// Owns an open registry key and closes it once.
#include "windows/UniqueResource.h"

#include <windows.h>

namespace gf {

inline void CloseRegistryKey(HKEY key) {
    RegCloseKey(key);
}

using RegistryKey = UniqueResource<NullIsNone<HKEY, &CloseRegistryKey>>;

} // namespace gf
