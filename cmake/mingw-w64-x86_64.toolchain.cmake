# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads:
# std::thread and std::mutex need them) and runs what it builds under wine.
#
#   cmake -G Ninja -B build-windows \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.toolchain.cmake \
#     -DCMAKE_PREFIX_PATH="$CACHE/qt6-6.4.2;$CACHE/icu-72.1;$CACHE/googletest-1.12.1"
#
# (the prefixes are added below without being given).
# where CACHE is the folder filled by scripts/windows-deps (see
# docs/windows.md). Host packages: g++-mingw-w64-x86-64-posix, wine64.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QF_MINGW_TRIPLE x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES ${QF_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QF_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QF_MINGW_TRIPLE}-windres REQUIRED)
# The -posix gcc-ar/gcc-ranlib wrappers match the compiler's LTO plugin.
find_program(CMAKE_AR NAMES ${QF_MINGW_TRIPLE}-gcc-ar-posix ${QF_MINGW_TRIPLE}-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES ${QF_MINGW_TRIPLE}-gcc-ranlib-posix ${QF_MINGW_TRIPLE}-ranlib
  REQUIRED)

# Debian installs the 64-bit wine loader here, not on PATH. ctest and
# gtest_discover_tests() run test programs through it.
find_program(QF_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(QF_WINE64 NAMES wine64 wine)
if(QF_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QF_WINE64})
endif()

# The dependency cache made by scripts/windows-deps: QF_WINDOWS_CACHE from
# the command line or the environment, else the script's default for root,
# else the one for other users.
if(NOT QF_WINDOWS_CACHE)
  if(DEFINED ENV{QF_WINDOWS_CACHE})
    set(QF_WINDOWS_CACHE "$ENV{QF_WINDOWS_CACHE}")
  elseif(EXISTS /var/cache/quillformer-windows)
    set(QF_WINDOWS_CACHE /var/cache/quillformer-windows)
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(QF_WINDOWS_CACHE "$ENV{XDG_CACHE_HOME}/quillformer-windows")
  else()
    set(QF_WINDOWS_CACHE "$ENV{HOME}/.cache/quillformer-windows")
  endif()
endif()
set(QF_WINDOWS_CACHE "${QF_WINDOWS_CACHE}" CACHE PATH "Windows dependency cache")

# Headers, libraries and CMake packages come only from the mingw-w64 sysroot
# and the cache; programs (moc, rcc, uic, wine) come from the host.
set(QF_WINDOWS_PREFIXES
  ${QF_WINDOWS_CACHE}/qt6-6.4.2
  ${QF_WINDOWS_CACHE}/icu-72.1
  ${QF_WINDOWS_CACHE}/uchardet-0.0.7
  ${QF_WINDOWS_CACHE}/googletest-1.12.1)
set(CMAKE_FIND_ROOT_PATH /usr/${QF_MINGW_TRIPLE} ${QF_WINDOWS_PREFIXES})
# find_package, find_library and find_path look in each library's prefix
# without being told (the windows preset, ./windows).
list(APPEND CMAKE_PREFIX_PATH ${QF_WINDOWS_PREFIXES})
# pkg-config (FindPkgConfig: pkg_check_modules(... uchardet), icu-uc) reads
# the cache's .pc files and never the build machine's own: PKG_CONFIG_LIBDIR
# replaces its default folders with the prefixes' lib/pkgconfig. (An empty
# value would not do: CMake unsets a variable set to "".)
set(pkg_config_folders "")
foreach(prefix IN LISTS QF_WINDOWS_PREFIXES)
  list(APPEND pkg_config_folders "${prefix}/lib/pkgconfig")
endforeach()
string(REPLACE ";" ":" pkg_config_folders "${pkg_config_folders}")
set(ENV{PKG_CONFIG_LIBDIR} "${pkg_config_folders}")
unset(ENV{PKG_CONFIG_PATH})
unset(ENV{PKG_CONFIG_SYSROOT_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The cross-built Qt takes moc, rcc and uic from Debian's Qt of the same
# version (qt6-base-dev-tools), whose CMake files are in the multiarch folder.
if(NOT QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Host Qt for moc, rcc and uic")
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake
    CACHE PATH "CMake files of the host Qt")
endif()

# The C++ runtime is a DLL (libstdc++-6, libgcc_s_seh-1, libwinpthread-1),
# as Qt's and ICU's DLLs need it: one copy beside the programs serves them
# all (cmake/windows_runtime.cmake puts it there).
