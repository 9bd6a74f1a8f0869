# The module VELMOK.dll, from the same sources on both Windows builds.
add_library(velmok SHARED
    ${VELMOK_CORE_SOURCES}
    plat/plat_win32.cpp
    exports/dllmain.cpp
    exports/paste.cpp
    exports/velmok.def
    wizard/wizard_info.cpp
    wizard/editor.cpp
    wizard/velmok.rc)
set_target_properties(velmok PROPERTIES OUTPUT_NAME VELMOK PREFIX "")
target_include_directories(velmok PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(velmok PRIVATE ${VELMOK_WARNINGS} -fno-exceptions -fno-rtti)
target_link_libraries(velmok PRIVATE vlx_import qxkit_import user32 gdi32 kernel32)
# The resource script takes in the identifiers and the wizard's bitmaps.
set(VELMOK_RC_INPUTS
    ${CMAKE_SOURCE_DIR}/wizard/resource.h
    ${CMAKE_SOURCE_DIR}/wizard/bitmaps/STATWIZMBMP.bmp
    ${CMAKE_SOURCE_DIR}/wizard/bitmaps/STATWIZPBMP.bmp
    ${CMAKE_SOURCE_DIR}/wizard/bitmaps/STATWIZTBMP.bmp)
set_source_files_properties(wizard/velmok.rc PROPERTIES OBJECT_DEPENDS "${VELMOK_RC_INPUTS}")
