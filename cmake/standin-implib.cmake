# Import library for a 32-bit stand-in DLL. Its definition file names
# the stdcall functions undecorated, so the linker's own import library
# offers _Name while callers refer to _Name@bytes and fail to link. This
# reads each export's argument size from the DLL's symbols and has
# dlltool make an import library that binds _Name@bytes to the plain
# exported name.
#   cmake -DNM=nm -DDLLTOOL=dlltool -DDLL=X.dll -DDEF=x.def -DOUT=libX.dll.a
#         -P standin-implib.cmake
file(STRINGS ${DEF} lines)
set(in_exports OFF)
set(names)
foreach(line IN LISTS lines)
    string(REGEX REPLACE ";.*" "" line "${line}")
    if(line MATCHES "^[ \t]*EXPORTS")
        set(in_exports ON)
    elseif(in_exports AND line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)")
        list(APPEND names ${CMAKE_MATCH_1})
    endif()
endforeach()

execute_process(COMMAND ${NM} --defined-only ${DLL} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} ${DLL} failed")
endif()

get_filename_component(dll_name ${DLL} NAME)
set(text "LIBRARY \"${dll_name}\"\nEXPORTS\n")
foreach(name IN LISTS names)
    if(symbols MATCHES " T _${name}@([0-9]+)\n")
        string(APPEND text "    ${name}@${CMAKE_MATCH_1}\n")
    else()
        string(APPEND text "    ${name}\n")
    endif()
endforeach()
set(def_out ${OUT}.def)
file(WRITE ${def_out} "${text}")
execute_process(COMMAND ${DLLTOOL} -d ${def_out} -l ${OUT} -k RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${DLLTOOL} could not make ${OUT}")
endif()
