#pragma once
// Owns one reference to a COM object and releases it once.
#include "windows/UniqueResource.h"

#include <unknwn.h>

namespace gf {

template <class Interface> void ReleaseCom(Interface* p) {
    p->Release();
}

template <class Interface>
class ComPointer : public UniqueResource<NullIsNone<Interface*, &ReleaseCom<Interface>>> {
  public:
    Interface* operator->() const { return this->get(); }
    void** outVoid() { return reinterpret_cast<void**>(this->out()); }
};

} // namespace gf
