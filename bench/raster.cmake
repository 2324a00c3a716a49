slideshow_add_bench(raster_bench LIBS raster SOURCES ${CMAKE_CURRENT_LIST_DIR}/raster_copy_bench.cpp
                    ${CMAKE_CURRENT_LIST_DIR}/raster_region_bench.cpp)
