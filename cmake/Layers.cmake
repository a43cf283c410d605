# SPDX-License-Identifier: GPL-3.0-or-later
# The layers are checked twice over: tools/check-layers.cmake refuses an include of a
# header from a layer above, and each layer is also linked on its own as a shared library
# that may not leave a symbol undefined.
file(GLOB_RECURSE layered_sources CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/engine/*.h ${PROJECT_SOURCE_DIR}/engine/*.cpp
     ${PROJECT_SOURCE_DIR}/ui/*.h ${PROJECT_SOURCE_DIR}/ui/*.cpp
     ${PROJECT_SOURCE_DIR}/app/*.h ${PROJECT_SOURCE_DIR}/app/*.cpp)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/layers.checked
                   COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                           -DSTAMP=${CMAKE_CURRENT_BINARY_DIR}/layers.checked
                           -P ${PROJECT_SOURCE_DIR}/tools/check-layers.cmake
                   DEPENDS ${PROJECT_SOURCE_DIR}/tools/check-layers.cmake ${layered_sources}
                   COMMENT "Checking that each layer includes only layers below it"
                   VERBATIM)
add_custom_target(check_layers DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/layers.checked)

# Each layer alone, with only the layers below it: an undefined symbol fails the link.
# (Sanitizer runtimes leave symbols to the executable, so sanitized builds skip this.)
set(velantra_layers velantra_engine velantra_skin velantra_windowing velantra_screens velantra_app)
set(below_velantra_engine Qt6::Core)
set(below_velantra_skin velantra_engine Qt6::Widgets)
set(below_velantra_windowing velantra_skin PkgConfig::XCB_XKB)
set(below_velantra_screens velantra_windowing)
set(below_velantra_app velantra_screens PkgConfig::FONTCONFIG)
foreach(layer ${velantra_layers})
    add_dependencies(${layer} check_layers)
    if(NOT VELANTRA_SANITIZE)
        add_library(${layer}_alone SHARED $<TARGET_OBJECTS:${layer}>)
        set_target_properties(${layer}_alone PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
        target_link_libraries(${layer}_alone PRIVATE ${below_${layer}})
        target_link_options(${layer}_alone PRIVATE LINKER:--no-undefined)
    endif()
endforeach()
