#pragma once
// COM on the calling thread for one scope: the multithreaded apartment (or the single-threaded
// one that the system's dialogs need), unless the thread has joined another already (then that
// one serves, and is left as it was).
#include <objbase.h>

namespace gf {

class ComApartment {
  public:
    explicit ComApartment(DWORD model = COINIT_MULTITHREADED)
        : result_(CoInitializeEx(nullptr, model)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    // False only when COM cannot be used on this thread at all.
    bool ok() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

  private:
    HRESULT result_;
};

} // namespace gf
