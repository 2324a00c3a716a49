slideshow_add_fuzzer(fuzz_picture_records LIBS project SOURCES ${CMAKE_CURRENT_LIST_DIR}/picture_records_fuzz.cpp)
