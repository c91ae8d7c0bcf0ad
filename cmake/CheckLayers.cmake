# Checks the layering of the source folders: every #include "folder/..." of a source file names
# its own folder or one the table below lets it use. Run as
#     cmake -DSOURCE_DIR=<checkout> -P cmake/CheckLayers.cmake
# (ctest runs it as the test "layers"). A new source folder needs its row here.
#
# From the bottom up: tool/ and base/ use nothing of ours; the core (no Qt) comes next; the Qt
# folders stand above the core; app/ and cli/ stand on top. A row lists folders, or single
# headers where a folder may use only part of another. tests/ and bench/ may use every folder.
cmake_minimum_required(VERSION 3.25)

set(SONVEX_LAYERS
    "tool:"
    "base:"
    "params:base tool/ToolApi.h tool/RecordLayout.h tool/FrequencyGrid.h"
    "settings:base params"
    "device:base params settings"
    "measure:base params tool/ToolApi.h tool/FrequencyGrid.h"
    "fit:base params measure"
    "exchange:base params measure"
    "widgets:base params settings"
    "chart:base"
    "serial:base device widgets"
    "pages:tool base params settings measure widgets chart"
    "app:tool base params settings device measure fit exchange widgets chart serial pages"
    "cli:tool base params settings device measure fit exchange")
set(SONVEX_NOT_SOURCE bench cmake data scripts tests)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "CheckLayers: pass -DSOURCE_DIR=<checkout>")
endif()

set(known "")
foreach(row IN LISTS SONVEX_LAYERS)
    string(REPLACE ":" ";" parts "${row}")
    list(GET parts 0 folder)
    list(APPEND known ${folder})
endforeach()

# Every folder that holds sources must have a row.
set(failures 0)
file(GLOB children RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(child IN LISTS children)
    if(IS_DIRECTORY ${SOURCE_DIR}/${child} AND NOT child MATCHES "^(\\.|build)"
       AND NOT child IN_LIST SONVEX_NOT_SOURCE AND NOT child IN_LIST known)
        file(GLOB_RECURSE sources ${SOURCE_DIR}/${child}/*.h ${SOURCE_DIR}/${child}/*.cpp)
        if(sources)
            message(SEND_ERROR "${child}/ holds sources but has no row in cmake/CheckLayers.cmake")
            math(EXPR failures "${failures} + 1")
        endif()
    endif()
endforeach()

set(checked 0)
foreach(row IN LISTS SONVEX_LAYERS)
    string(FIND "${row}" ":" colon)
    string(SUBSTRING "${row}" 0 ${colon} folder)
    math(EXPR rest "${colon} + 1")
    string(SUBSTRING "${row}" ${rest} -1 allowed)
    separate_arguments(allowed)
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp
         ${SOURCE_DIR}/${folder}/*.in)
    foreach(source IN LISTS sources)
        math(EXPR checked "${checked} + 1")
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header
                                 "${line}")
            string(REGEX REPLACE "/.*" "" used "${header}")
            if(NOT used STREQUAL folder AND NOT used IN_LIST allowed
               AND NOT header IN_LIST allowed)
                file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
                string(JOIN ", " may ${allowed})
                if(may STREQUAL "")
                    set(may "nothing of ours")
                endif()
                message(SEND_ERROR "${name} includes \"${header}\"; ${folder}/ may use ${may}")
                math(EXPR failures "${failures} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures GREATER 0)
    message(FATAL_ERROR "CheckLayers: ${failures} include(s) against the layering")
endif()
message(STATUS "CheckLayers: ${checked} source files keep the layering")
