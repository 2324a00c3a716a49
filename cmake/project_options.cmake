# Compile options for our own code: every target of ours links slideshow_options.
add_library(slideshow_options INTERFACE)
target_compile_options(slideshow_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wunused -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough -Werror)
# GCC 12 reports false overlaps in std::string concatenation when optimising
# (GCC bug 105651); the warning stays on, but does not fail the build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(slideshow_options INTERFACE -Wno-error=restrict)
endif()

if(SLIDESHOW_SANITIZE)
  target_compile_options(slideshow_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(slideshow_options INTERFACE -fsanitize=address,undefined)
endif()

if(SLIDESHOW_FUZZ)
  target_compile_options(slideshow_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(slideshow_options INTERFACE -fsanitize=address,undefined)
endif()

if(WIN32)
  # One self-contained program file: no libgcc, libstdc++ or winpthread DLLs.
  target_compile_definitions(slideshow_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_link_options(slideshow_options INTERFACE -static -static-libgcc -static-libstdc++)
  # GCC keeps the stack aligned to 16 bytes only on Windows, so a spilled
  # 32- or 64-byte vector register must not be moved with an aligned move.
  target_compile_options(slideshow_options INTERFACE -Wa,-muse-unaligned-vector-move)
endif()

# slideshow_add_library(name SOURCES...): a static library of ours with the src
# folder as its include root.
# A subsystem whose sources are still to come builds as an empty library.
function(slideshow_add_library name)
  set(sources ${ARGN})
  if(NOT sources)
    set(sources ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${sources} "")
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC slideshow_options)
endfunction()

# slideshow_windows_program(target): a program that ships. Its link map is kept
# beside it (scripts/sizes.sh reads it); after linking it is stripped, and its
# debugging information and symbols go to .debug/NAME.debug beside it, named by
# a debug link, so that a crash report from a user can still be read
# (gdb finds .debug/NAME.debug on its own).
function(slideshow_windows_program target)
  target_link_options(${target} PRIVATE "-Wl,-Map=$<TARGET_FILE:${target}>.map")
  set(symbols "$<TARGET_FILE_DIR:${target}>/.debug/$<TARGET_FILE_NAME:${target}>.debug")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "$<TARGET_FILE_DIR:${target}>/.debug"
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug "$<TARGET_FILE:${target}>" "${symbols}"
    COMMAND ${CMAKE_OBJCOPY} --strip-all "--add-gnu-debuglink=${symbols}" "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()
