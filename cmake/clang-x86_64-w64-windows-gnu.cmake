# Cross build for 64-bit Windows with Debian's clang and lld, against the MinGW-w64 headers and
# libraries and the posix thread-model libstdc++ of g++-mingw-w64-x86-64-posix (GoogleTest needs
# std::mutex, which the win32 thread-model libstdc++ lacks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALEIDRA_MINGW_PREFIX x86_64-w64-mingw32)
set(KALEIDRA_CLANG_TARGET x86_64-w64-windows-gnu)
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${KALEIDRA_CLANG_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${KALEIDRA_CLANG_TARGET})
set(CMAKE_RC_COMPILER ${KALEIDRA_MINGW_PREFIX}-windres)
# The MinGW binutils read clang's COFF objects; objdump and strip serve the release zip and its test.
set(CMAKE_AR      /usr/bin/${KALEIDRA_MINGW_PREFIX}-ar)
set(CMAKE_RANLIB  /usr/bin/${KALEIDRA_MINGW_PREFIX}-ranlib)
set(CMAKE_OBJDUMP /usr/bin/${KALEIDRA_MINGW_PREFIX}-objdump)
set(CMAKE_STRIP   /usr/bin/${KALEIDRA_MINGW_PREFIX}-strip)

# The sysroot is the MinGW-w64 tree itself: clang then takes its headers and libraries and no longer
# adds /usr/include, which a cross build must not see.
set(CMAKE_SYSROOT /usr/${KALEIDRA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH /usr/${KALEIDRA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# clang 14 skips GCC folders named like Debian's "12-posix" (it reads "12" but not the suffix), so it
# would find no libstdc++: the posix one is named here, headers and libraries.
file(GLOB KALEIDRA_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${KALEIDRA_MINGW_PREFIX}/*-posix)
list(SORT KALEIDRA_GCC_DIRS COMPARE NATURAL)
list(POP_BACK KALEIDRA_GCC_DIRS KALEIDRA_GCC_DIR)
if(NOT KALEIDRA_GCC_DIR)
  message(FATAL_ERROR "No /usr/lib/gcc/${KALEIDRA_MINGW_PREFIX}/*-posix: install g++-mingw-w64-x86-64-posix")
endif()
set(KALEIDRA_LIBSTDCXX_INCLUDE ${KALEIDRA_GCC_DIR}/include/c++)
string(JOIN " " CMAKE_CXX_FLAGS_INIT
  -isystem ${KALEIDRA_LIBSTDCXX_INCLUDE}
  -isystem ${KALEIDRA_LIBSTDCXX_INCLUDE}/${KALEIDRA_MINGW_PREFIX}
  -isystem ${KALEIDRA_LIBSTDCXX_INCLUDE}/backward)
# lld instead of the MinGW ld; -pthread links winpthreads, on which the posix libstdc++ and libgcc
# build (the -posix g++ adds it by itself).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${KALEIDRA_GCC_DIR}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${CMAKE_EXE_LINKER_FLAGS_INIT}")

# Win32 test executables run through Wine in the build's private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec.sh)
