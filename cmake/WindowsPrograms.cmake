# The Windows screen savers that the Linux installation carries, so that the Linux program makes
# packages that play on Windows (--pack ... --for windows-x64): glimmerframe.scr for 64- and
# 32-bit Windows, cross-built from this source tree with mingw-w64 and stripped as shipped,
# copied into windows/<x64|x86>/ beside the program in the build tree and installed into
# share/glimmerframe/windows/<x64|x86>/, where the program looks for them.
option(GLIMMERFRAME_WINDOWS_PROGRAMS "Build and install the Windows programs (needs mingw-w64)"
       OFF)
# Named by scripts/install and scripts/make-deb; empty when the programs are not built.
add_custom_target(glimmerframe_windows_programs ALL)
if(NOT GLIMMERFRAME_WINDOWS_PROGRAMS)
  return()
endif()
find_program(GLIMMERFRAME_MINGW_X64 x86_64-w64-mingw32-g++-posix)
find_program(GLIMMERFRAME_MINGW_X86 i686-w64-mingw32-g++-posix)
if(NOT GLIMMERFRAME_MINGW_X64 OR NOT GLIMMERFRAME_MINGW_X86)
  message(WARNING "The Windows programs are not built, so packages can be made only for this "
                  "system: mingw-w64 is missing (scripts/setup --cross installs it).")
  return()
endif()

include(ExternalProject)
cmake_host_system_information(RESULT GLIMMERFRAME_CORES QUERY NUMBER_OF_LOGICAL_CORES)
foreach(arch IN ITEMS x64 x86)
  if(GLIMMERFRAME_TESTS)
    # A build with tests shares the Windows presets' build folders, so the Windows tests that
    # follow it (scripts/test) find the program built and compile nothing twice.
    set(binary_dir ${PROJECT_SOURCE_DIR}/build/windows-${arch})
    set(configure ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} --preset windows-${arch})
  else()
    # An installation's build makes the programs alone, in a folder of its own.
    if(arch STREQUAL x64)
      set(toolchain mingw-w64-x86_64.cmake)
    else()
      set(toolchain mingw-w64-i686.cmake)
    endif()
    set(binary_dir ${CMAKE_BINARY_DIR}/windows-${arch})
    set(configure
        ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${binary_dir} -G Ninja
        --toolchain ${PROJECT_SOURCE_DIR}/cmake/toolchains/${toolchain}
        -DCMAKE_BUILD_TYPE=Release -DGLIMMERFRAME_GUI=OFF -DGLIMMERFRAME_TESTS=OFF)
  endif()
  set(program ${binary_dir}/src/app/win32/glimmerframe.scr)
  set(beside ${CMAKE_CURRENT_BINARY_DIR}/windows/${arch}/glimmerframe.scr)
  # The Windows build decides itself what is out of date; the two take turns on the machine's
  # cores with whatever else is being compiled.
  ExternalProject_Add(
    glimmerframe_windows_${arch}
    PREFIX ${CMAKE_BINARY_DIR}/windows-programs
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${binary_dir}
    DOWNLOAD_COMMAND ""
    UPDATE_COMMAND ""
    CONFIGURE_COMMAND ${configure}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${binary_dir} --target glimmerframe_scr --parallel
                  ${GLIMMERFRAME_CORES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/windows/${arch}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${program} ${beside}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${program} ${beside}
    INSTALL_COMMAND ""
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)
  add_dependencies(glimmerframe_windows_programs glimmerframe_windows_${arch})
  install(FILES ${program} DESTINATION share/glimmerframe/windows/${arch})
endforeach()
