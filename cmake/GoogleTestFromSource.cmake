# GoogleTest for a cross build: Debian's source tree (package googletest) built with the cross
# compiler. Its targets have the names that find_package(GTest) gives a native build
# (GTest::gtest, GTest::gtest_main).
set(GLIMMERFRAME_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${GLIMMERFRAME_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${GLIMMERFRAME_GTEST_SOURCE}: "
                      "scripts/setup installs them (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Someone else's code: built without our warnings-as-errors.
get_directory_property(_gf_compile_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${GLIMMERFRAME_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${_gf_compile_options}")
