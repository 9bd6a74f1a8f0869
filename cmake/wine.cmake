# Tests that run the Windows build under Wine, through ctest. Each build
# has a Wine prefix of its own in its build folder, made once by the
# wine_prefix fixture before any test that needs it.
# The 32-bit build runs here only on request (VELMOK_RUN_32BIT_TESTS),
# through a Wine that can run 32-bit programs.
if(VELMOK_I686)
    set(velmok_default_wine wine)
else()
    set(velmok_default_wine /usr/lib/wine/wine64)
endif()
set(VELMOK_WINE ${velmok_default_wine} CACHE STRING "Wine loader for this build's programs")
set(VELMOK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

add_test(NAME wine_prefix COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-prefix.sh ${VELMOK_WINEPREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)

# GoogleTest from Debian's sources, built for this Windows target.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A module test: a Windows program run whole under Wine. The tests share
# the prefix's profile (win.ini), so they run one at a time.
function(velmok_wine_test name)
    add_executable(${name} ${ARGN})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE gtest_main user32 gdi32)
    add_dependencies(${name} velmok vlx_sim qxkit_sim)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix
        RESOURCE_LOCK wine_profile TIMEOUT 300)
endfunction()

foreach(dir tests/module tests/wizard tests/demo)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
