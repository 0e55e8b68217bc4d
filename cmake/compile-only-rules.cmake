# Rules for a tree that only compiles (clang-mingw-w64.cmake): a program's link step does nothing.
set(CMAKE_CXX_LINK_EXECUTABLE "${CMAKE_COMMAND} -E true")
