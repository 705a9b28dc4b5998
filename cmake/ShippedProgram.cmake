# What users get is optimised and carries no debug information; a crash address is read with
# the debug information that stays beside the program in the build tree (NAME.debug, which the
# program names in a GNU debug link, so gdb finds it there).
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  set(split_by_default ON)
else()
  set(split_by_default OFF)
endif()
option(GLIMMERFRAME_SPLIT_DEBUG "Keep the programs' debug information in NAME.debug beside them"
       ${split_by_default})

function(glimmerframe_shipped_program target)
  if(NOT GLIMMERFRAME_SPLIT_DEBUG)
    return()
  endif()
  set(program $<TARGET_FILE:${target}>)
  add_custom_command(
    TARGET ${target}
    POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${program} ${program}.debug
    COMMAND ${CMAKE_STRIP} --strip-all ${program}
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=${program}.debug ${program}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Moving the debug information of ${target} beside it"
    VERBATIM)
endfunction()
