#pragma once
// Owns a GDI object (bitmap, font, brush, pen, region) and deletes it once; and a memory device
// context, deleted once.
#include "windows/UniqueResource.h"

#include <windows.h>

namespace gf {

inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}

template <class Handle> using GdiObject = UniqueResource<NullIsNone<Handle, &DeleteGdiObject>>;
using MemoryDc = UniqueResource<NullIsNone<HDC, &DeleteMemoryDc>>;

} // namespace gf
