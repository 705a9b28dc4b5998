# Cross-building for Windows with Debian's mingw-w64 (POSIX thread model); the architecture's
# toolchain file sets GLIMMERFRAME_MINGW_TRIPLE and includes this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${GLIMMERFRAME_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLIMMERFRAME_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GLIMMERFRAME_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GLIMMERFRAME_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file per program: no compiler runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Programs built here run under Wine, in a private prefix inside the build folder.
get_filename_component(_gf_wine_run "${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_gf_wine_run};--prefix;${CMAKE_BINARY_DIR}/wine-prefix")
