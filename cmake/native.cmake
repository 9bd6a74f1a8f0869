# Native build: the portable core over POSIX, the point-access stand-in
# linked in, unit tests, sanitizers, fuzzing and benchmarks.
option(VELMOK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VELMOK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    set(VELMOK_TEST_PREFIX "san.")
else()
    set(VELMOK_TEST_PREFIX "")
endif()

add_library(velmok_core STATIC ${VELMOK_CORE_SOURCES} ${CMAKE_SOURCE_DIR}/plat/plat_posix.cpp)
target_include_directories(velmok_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(velmok_core PRIVATE ${VELMOK_WARNINGS})

add_library(vlx_sim STATIC ${CMAKE_SOURCE_DIR}/sim/vlx/vlx_sim.cpp)
target_include_directories(vlx_sim PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vlx_sim PRIVATE ${VELMOK_WARNINGS})
target_link_libraries(velmok_core PUBLIC vlx_sim)

find_package(GTest REQUIRED)
include(GoogleTest)
add_subdirectory(tests/native)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
    add_subdirectory(tests/fuzz)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt AND NOT VELMOK_SANITIZE)
    add_subdirectory(bench)
endif()
