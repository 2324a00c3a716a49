find_package(JPEG REQUIRED)
slideshow_add_bench(frame_bench LIBS player JPEG::JPEG
                    SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_compose_bench.cpp
                            ${CMAKE_CURRENT_LIST_DIR}/frame_gradient_bench.cpp
                            ${CMAKE_CURRENT_LIST_DIR}/test_photo.cpp)
