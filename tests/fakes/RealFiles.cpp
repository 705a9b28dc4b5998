#include "fakes/RealFiles.h"

#include "posix/PosixFileSystem.h"

namespace gf::test {

FileSystem& RealFiles() {
    static PosixFileSystem files;
    return files;
}

} // namespace gf::test
