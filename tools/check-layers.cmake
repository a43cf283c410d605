# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a header from a layer above its own, in either form
# ("app/App.h" or <app/App.h>). The layers, from the bottom, each in its folder: engine/,
# ui/skin/, ui/windowing/, the screens (ui/start/ and ui/exercise/, each on its own),
# app/. A layer may include itself and any layer below.
#   cmake -DSOURCE_DIR=<root> -DSTAMP=<file written when all is well> -P check-layers.cmake

cmake_minimum_required(VERSION 3.24)

set(layers engine skin windowing start exercise app)
set(folder_engine "engine/")
set(folder_skin "ui/skin/")
set(folder_windowing "ui/windowing/")
set(folder_start "ui/start/")
set(folder_exercise "ui/exercise/")
set(folder_app "app/")
set(below_engine "")
set(below_skin "engine")
set(below_windowing "engine;skin")
set(below_start "engine;skin;windowing")
set(below_exercise "engine;skin;windowing")
set(below_app "engine;skin;windowing;start;exercise")

function(layer_of path result)
    foreach(layer ${layers})
        string(FIND "${path}" "${folder_${layer}}" at)
        if(at EQUAL 0)
            set(${result} ${layer} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${result} "" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp ${SOURCE_DIR}/ui/*.h ${SOURCE_DIR}/ui/*.cpp
     ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp)
list(SORT sources)
set(faults "")
foreach(source ${sources})
    layer_of(${source} layer)
    if(layer STREQUAL "")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*" "\\1" header "${line}")
        layer_of(${header} header_layer)
        if(header_layer STREQUAL "" OR header_layer STREQUAL layer)
            continue()
        endif()
        if(NOT header_layer IN_LIST below_${layer})
            string(APPEND faults "  ${source} (${layer}) includes ${header} (${header_layer})\n")
        endif()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "Includes that point up the layers:\n${faults}")
endif()
file(WRITE ${STAMP} "")
