#pragma once
// A library loaded at run time (LoadLibraryW), freed once; for the calls that older or smaller
// installations of Windows may not have.
#include <utility>
#include <windows.h>

namespace gf {

class ModuleHandle {
  public:
    // Only from the system folder: a library of that name beside a package must not be picked.
    explicit ModuleHandle(const wchar_t* systemLibrary)
        : module_(LoadLibraryExW(systemLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}
    ModuleHandle(ModuleHandle&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    ModuleHandle& operator=(ModuleHandle&&) = delete;
    ModuleHandle(const ModuleHandle&) = delete;
    ModuleHandle& operator=(const ModuleHandle&) = delete;
    ~ModuleHandle() {
        if (module_)
            FreeLibrary(module_);
    }

    explicit operator bool() const { return module_ != nullptr; }
    // The exported function, or null.
    template <class Function> Function function(const char* name) const {
        if (!module_)
            return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

  private:
    HMODULE module_;
};

} // namespace gf
