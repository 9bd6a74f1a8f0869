# Windows builds (i686 and x86-64): the stand-in libraries, the module
# VELMOK.dll and, on x86-64, the tests that run it under Wine. Every
# program and library lands in the build folder itself, beside each other.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# Nothing beside the module but Windows' own DLLs: the compiler's
# run-time libraries are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(VELMOK_I686 ON)
    # Definition files name the undecorated stdcall symbols.
    add_link_options(-Wl,--enable-stdcall-fixup)
endif()

# Import library from one of our declarations of a host library. The
# declarations carry i686 stdcall sizes; x86-64 has none.
function(velmok_import_library target def)
    set(def_in ${CMAKE_SOURCE_DIR}/${def})
    get_filename_component(base ${def} NAME_WE)
    if(VELMOK_I686)
        set(def_used ${def_in})
    else()
        file(READ ${def_in} text)
        string(REGEX REPLACE "@[0-9]+" "" text "${text}")
        set(def_used ${CMAKE_BINARY_DIR}/lib/${base}.def)
        file(WRITE ${def_used} "${text}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_in})
    endif()
    set(lib ${CMAKE_BINARY_DIR}/lib/lib${base}_import.a)
    add_custom_command(OUTPUT ${lib}
        COMMAND ${CMAKE_DLLTOOL} -d ${def_used} -l ${lib} -k
        DEPENDS ${def_used} VERBATIM)
    add_custom_target(${target}_file DEPENDS ${lib})
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${lib})
    add_dependencies(${target} ${target}_file)
endfunction()

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
velmok_import_library(vlx_import host/vlx.def)
velmok_import_library(qxkit_import host/qxkit.def)

# Point-access stand-in VLX.dll.
add_library(vlx_sim SHARED sim/vlx/vlx_sim.cpp sim/vlx/vlx_sim.def)
set_target_properties(vlx_sim PROPERTIES OUTPUT_NAME VLX PREFIX "")
target_compile_options(vlx_sim PRIVATE ${VELMOK_WARNINGS})

# Wizard toolkit stand-in qxkit.dll.
add_library(qxkit_sim SHARED sim/qxkit/qxkit_sim.cpp sim/qxkit/qxkit_sim.def)
set_target_properties(qxkit_sim PROPERTIES OUTPUT_NAME qxkit PREFIX "")
target_compile_options(qxkit_sim PRIVATE ${VELMOK_WARNINGS})
target_link_libraries(qxkit_sim PRIVATE user32)

include(cmake/module.cmake)

# Host stand-in: a console program that loads the module as the host does.
if(EXISTS ${CMAKE_SOURCE_DIR}/sim/host/CMakeLists.txt)
    add_subdirectory(sim/host)
endif()

# Checks of the built files, read as Windows would read them.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/pe/CMakeLists.txt)
    add_subdirectory(tests/pe)
endif()

# The tests under Wine run against the x86-64 build; the 32-bit build is
# only read as a file, unless this machine's Wine runs 32-bit programs.
option(VELMOK_RUN_32BIT_TESTS "Also run the Wine tests against the 32-bit build" OFF)
if(NOT VELMOK_I686 OR VELMOK_RUN_32BIT_TESTS)
    include(cmake/wine.cmake)
endif()
