# SPDX-License-Identifier: GPL-3.0-or-later
# The layer check run on small trees: one whose includes all point down passes; one with
# an upward include in quotes, one with an upward include in angle brackets and one where
# a screen includes the other screen each fail, naming the file and the header.
#   cmake -DCHECK=<tools/check-layers.cmake> -DFIXTURES=<fixtures> -DWORK=<scratch> -P ...

function(run_check tree result output)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURES}/${tree} -DSTAMP=${WORK}/${tree}.checked
                            -P ${CHECK}
                    RESULT_VARIABLE status ERROR_VARIABLE error OUTPUT_VARIABLE out)
    set(${result} ${status} PARENT_SCOPE)
    set(${output} "${out}${error}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

run_check(sound status output)
if(NOT status EQUAL 0 OR NOT EXISTS ${WORK}/sound.checked)
    message(FATAL_ERROR "a tree whose includes point down was refused:\n${output}")
endif()

foreach(case "quoted;engine/Digits.h (engine) includes app/Window.h (app)"
             "angled;ui/skin/Look.h (skin) includes app/Window.h (app)"
             "sideways;ui/start/Title.cpp (start) includes ui/exercise/Grid.h (exercise)")
    list(GET case 0 tree)
    list(GET case 1 fault)
    run_check(${tree} status output)
    if(status EQUAL 0 OR EXISTS ${WORK}/${tree}.checked)
        message(FATAL_ERROR "the ${tree} tree was let through")
    endif()
    string(FIND "${output}" "${fault}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the ${tree} tree was refused without naming '${fault}':\n${output}")
    endif()
endforeach()
message(STATUS "upward includes refused in both forms")
