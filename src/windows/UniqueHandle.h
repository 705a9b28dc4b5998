#pragma once
// Owns a kernel handle (file, console, process) and closes it once.
#include "windows/UniqueResource.h"

#include <windows.h>

namespace gf {

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    // Both null and INVALID_HANDLE_VALUE mean none: Win32 calls fail with one or the other.
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;

} // namespace gf
