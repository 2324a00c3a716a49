slideshow_add_fuzzer(fuzz_flash_movie LIBS player SOURCES ${CMAKE_CURRENT_LIST_DIR}/flash_movie_fuzz.cpp)
