# The layers depend one way: base <- platform <- core, platform <- the implementations of its
# interfaces, and everything <- qt and the program. Each layer's include root is a folder in the
# build tree that holds a link to that layer's own source folder and nothing else; a layer sees
# another layer's headers only by linking it. An include against the direction fails to compile.
# A folder may be nested ("core/show"): its include root then holds that one subfolder.
function(glimmerframe_layer target folder)
  string(REPLACE "/" "_" name ${folder})
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# A layer of headers alone is compiled only inside others; so every one of its headers is also
# compiled on its own, against what the layer itself may see.
function(glimmerframe_compile_headers target folder)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  set(sources)
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME_WE)
    set(source ${CMAKE_BINARY_DIR}/layers/headers/${folder}/${name}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${folder}/${name}.h\"\n")
    list(APPEND sources ${source})
  endforeach()
  add_library(${target}_headers OBJECT ${sources})
  target_link_libraries(${target}_headers PRIVATE ${target})
endfunction()

# Links follow the same direction (the core never links Qt): once everything is configured,
# refuse to go on if `target` links anything but `ARGN`.
function(glimmerframe_links_only target)
  cmake_language(EVAL CODE "
    cmake_language(DEFER DIRECTORY \${CMAKE_SOURCE_DIR} CALL _glimmerframe_check_links ${target} ${ARGN})")
endfunction()
function(_glimmerframe_check_links target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(libs ${target} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(libs ${target} LINK_LIBRARIES)
  endif()
  foreach(lib IN LISTS libs)
    if(lib AND NOT lib IN_LIST ARGN)
      message(FATAL_ERROR "${target} must not link ${lib}: it may link only ${ARGN}")
    endif()
  endforeach()
endfunction()
