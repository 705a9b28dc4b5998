#pragma once
// A library loaded at run time (LoadLibraryW), freed once; for the calls that older or smaller
// installations of Windows may not have.
#include "windows/UniqueResource.h"

#include <windows.h>

namespace gf {

inline void FreeLoadedLibrary(HMODULE module) {
    FreeLibrary(module);
}

class ModuleHandle : public UniqueResource<NullIsNone<HMODULE, &FreeLoadedLibrary>> {
  public:
    // Only from the system folder: a library of that name beside a package must not be picked.
    explicit ModuleHandle(const wchar_t* systemLibrary)
        : UniqueResource(LoadLibraryExW(systemLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

    // The exported function, or null.
    template <class Function> Function function(const char* name) const {
        if (!*this)
            return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(get(), name)));
    }
};

} // namespace gf
