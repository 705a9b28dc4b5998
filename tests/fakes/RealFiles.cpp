#include "fakes/RealFiles.h"

#ifdef _WIN32
#include "windows/Win32FileSystem.h"
#else
#include "posix/PosixFileSystem.h"
#endif

namespace gf::test {

FileSystem& RealFiles() {
#ifdef _WIN32
    static Win32FileSystem files;
#else
    static PosixFileSystem files;
#endif
    return files;
}

} // namespace gf::test
