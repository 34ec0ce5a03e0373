# Cross-compiling (the Windows build), CLI11 and nlohmann-json come from the
# build machine: they are header-only, so Debian's libcli11-dev and
# nlohmann-json3-dev serve any target. Their headers are copied into the
# build tree, because /usr/include itself must stay out of the search path
# (it holds the build machine's C library), and the toolchain file searches
# packages only in the mingw-w64 sysroot and the dependency cache.
set(QF_HOST_HEADERS "${CMAKE_BINARY_DIR}/host-headers")
foreach(folder CLI nlohmann)
  if(NOT EXISTS "/usr/include/${folder}")
    message(FATAL_ERROR "/usr/include/${folder} is missing: install libcli11-dev and "
                        "nlohmann-json3-dev")
  endif()
  file(COPY "/usr/include/${folder}" DESTINATION "${QF_HOST_HEADERS}")
endforeach()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${QF_HOST_HEADERS}")
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${QF_HOST_HEADERS}")
