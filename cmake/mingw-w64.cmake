# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads), the
# tests run under Wine. The libraries Ravik links (OpenSSL, libcurl, pugixml,
# nlohmann-json, GoogleTest) come from a prefix of static Windows builds, made by
# scripts/windows-deps.sh and named by RAVIK_WINDOWS_PREFIX (a cache variable or
# the environment).
#
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64.cmake \
#         -DRAVIK_WINDOWS_PREFIX=$HOME/.cache/ravik/windows-deps-KEY
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RAVIK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RAVIK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAVIK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RAVIK_MINGW_TRIPLET}-windres)

if(NOT RAVIK_WINDOWS_PREFIX AND DEFINED ENV{RAVIK_WINDOWS_PREFIX})
  set(RAVIK_WINDOWS_PREFIX "$ENV{RAVIK_WINDOWS_PREFIX}")
endif()
set(RAVIK_WINDOWS_PREFIX "${RAVIK_WINDOWS_PREFIX}" CACHE PATH "Prefix of the static Windows libraries")
# try_compile projects read this file again: hand them the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RAVIK_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${RAVIK_MINGW_TRIPLET})
if(RAVIK_WINDOWS_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${RAVIK_WINDOWS_PREFIX}")
  set(OPENSSL_ROOT_DIR "${RAVIK_WINDOWS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static OpenSSL: FindOpenSSL then adds the Windows libraries it needs (ws2_32,
# crypt32) to its targets.
set(OPENSSL_USE_STATIC_LIBS TRUE)

# One .exe with no mingw DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and gtest_discover_tests run the test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
