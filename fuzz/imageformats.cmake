# One libFuzzer target per picture decoder, all built from the same source.
# The unit tests leave seed files for them under build/fuzz-seeds/<target>.
foreach(format Bmp Jpeg Png Gif Sgi Autodesk Tiff Targa Pcx PhotoCd Pnm Cut Rla Psd Psp)
  string(TOLOWER ${format} name)
  slideshow_add_fuzzer(fuzz_imageformats_${name} LIBS imageformats
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/imageformats_fuzz.cpp)
  target_compile_definitions(fuzz_imageformats_${name} PRIVATE FUZZ_FORMAT=${format})
endforeach()
