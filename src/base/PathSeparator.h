#pragma once
// The separator the platform writes between folder and file names, and its root folder. Both "\"
// and "/" are read everywhere; this is the one that joins, so that paths shown to a Windows user
// look like Windows paths.

namespace gf {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr const char* kRootFolder = "C:\\";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kRootFolder = "/";
#endif

} // namespace gf
