#pragma once
// The real file system, for tests that work on files in a scratch folder.
#include "platform/FileSystem.h"

namespace gf::test {

FileSystem& RealFiles();

} // namespace gf::test
