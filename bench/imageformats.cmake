# The benchmarks encode their own test photograph with libjpeg.
find_package(JPEG REQUIRED)
slideshow_add_bench(imageformats_bench LIBS imageformats JPEG::JPEG
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/imageformats_jpeg_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/test_photo.cpp)
