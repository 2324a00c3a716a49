# Shared part of the two mingw-w64 toolchain files; SLIDESHOW_TRIPLET is set by them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${SLIDESHOW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SLIDESHOW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SLIDESHOW_TRIPLET}-windres)
get_filename_component(_deps "${CMAKE_CURRENT_LIST_DIR}/../build/deps/${SLIDESHOW_TRIPLET}" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${SLIDESHOW_TRIPLET} ${_deps})
set(CMAKE_PREFIX_PATH ${_deps})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Prefer static archives so that the programs carry everything they need.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
# The platform file loaded after this one puts ".dll.a" first again, so zlib
# (which mingw-w64 ships both ways) must be asked for its static archive.
set(ZLIB_USE_STATIC_LIBS ON)
