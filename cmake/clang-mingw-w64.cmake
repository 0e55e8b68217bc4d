# A second compiler's look at the programs: Debian's clang for the same 64-bit MinGW-w64 target,
# with the GCC cross compiler's C++ library headers and MinGW-w64's Windows headers. The sources
# are compiled and nothing is linked (see compile-only-rules.cmake); the resources still go
# through windres. scripts/clang-build.sh configures it with the tests left out.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${_triple})
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_AR /usr/bin/${_triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${_triple}-ranlib CACHE FILEPATH "")

# clang 14 does not find the C++ library of Debian's MinGW-w64 GCC by itself (it does not take
# "12-posix" for a version folder): name its two header folders, which CMake passes as -isystem.
execute_process(COMMAND ${_triple}-g++-posix -print-file-name=include
                OUTPUT_VARIABLE _gcc_include OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT IS_DIRECTORY "${_gcc_include}/c++/${_triple}")
  message(FATAL_ERROR "The C++ headers of ${_triple}-g++-posix were not found (${_gcc_include}).")
endif()
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${_gcc_include}/c++ ${_gcc_include}/c++/${_triple})

# Besides the project's warnings, the language extensions one compiler accepts and another may
# not; the sources are free of both, and stay so.
set(CMAKE_CXX_FLAGS_INIT "-Wpedantic -Werror")

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Compiling is the check: CMake's own compiler tests make libraries instead of programs, and the
# programs' link steps do nothing.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/compile-only-rules.cmake)
