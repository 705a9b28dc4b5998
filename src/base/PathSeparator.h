#pragma once
// The separator the platform writes between folder and file names. Both "\" and "/" are read
// everywhere; this is the one that joins, so that paths shown to a Windows user look like
// Windows paths.

namespace gf {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

} // namespace gf
