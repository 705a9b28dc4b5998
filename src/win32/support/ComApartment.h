#pragma once
// COM on the calling thread for one scope: the multithreaded apartment, unless the thread has
// joined another already (then that one serves, and is left as it was).
#include <objbase.h>

namespace gf {

class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
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
