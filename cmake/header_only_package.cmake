# Header-only libraries that Debian packages (libfmt-dev, libfast-float-dev,
# libcli11-dev), found through their own CMake packages.
#
# A native build links the package's target as it is. A cross-build cannot
# put the build machine's /usr/include on its search path, where Linux's C
# library would shadow MinGW's or Emscripten's: it sees the library's one
# header folder through a link in the build tree, and nothing else of the
# machine's include folder.
function(rating_header_only_package target package imported folder)
  # The packages' version files compare pointer sizes, which a header-only
  # library does not depend on; left unset, the comparison is skipped.
  unset(CMAKE_SIZEOF_VOID_P)
  # A cross-build looks on the build machine, in Debian's multiarch folder too.
  find_package(${package} CONFIG REQUIRED NO_CMAKE_FIND_ROOT_PATH
               PATHS /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake /usr/lib/cmake /usr/share/cmake)
  add_library(${target} INTERFACE)
  if(NOT CMAKE_CROSSCOMPILING)
    target_link_libraries(${target} INTERFACE ${imported})
    return()
  endif()
  get_target_property(include ${imported} INTERFACE_INCLUDE_DIRECTORIES)
  get_target_property(definitions ${imported} INTERFACE_COMPILE_DEFINITIONS)
  set(linked ${CMAKE_BINARY_DIR}/header_only/${package})
  file(MAKE_DIRECTORY ${linked})
  file(CREATE_LINK ${include}/${folder} ${linked}/${folder} SYMBOLIC)
  target_include_directories(${target} SYSTEM INTERFACE ${linked})
  if(definitions)
    target_compile_definitions(${target} INTERFACE ${definitions})
  endif()
endfunction()
