# The Emscripten toolchain of the emcc on the PATH, wherever it is installed:
# Debian's /usr/bin/emcc links to /usr/share/emscripten/emcc, beside the
# toolchain's own CMake files.
find_program(RATING_EMCC emcc REQUIRED)
get_filename_component(rating_emcc_file "${RATING_EMCC}" REALPATH)
get_filename_component(rating_emscripten_root "${rating_emcc_file}" DIRECTORY)
include("${rating_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
