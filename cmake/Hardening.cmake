# SPDX-License-Identifier: GPL-3.0-or-later
# Hardening as distributions build their packages: a position-independent executable,
# the stack protector, checked C library calls, and relocations made read-only at
# start-up. The toolchain's own flags (CMAKE_CXX_FLAGS, a distribution's build flags) come
# first on the command line and the project's after them, so an option is added only
# where those flags have not chosen it themselves: a stronger choice there
# (_FORTIFY_SOURCE=3, -fstack-protector-all) is never lowered.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
set(toolchain_compile_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
set(toolchain_link_flags "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${build_type}}")
if(NOT toolchain_compile_flags MATCHES "-f(no-)?stack-protector")
    add_compile_options(-fstack-protector-strong)
endif()
if(NOT toolchain_compile_flags MATCHES "_FORTIFY_SOURCE")
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
endif()
if(NOT toolchain_link_flags MATCHES "relro")
    add_link_options(LINKER:-z,relro)
endif()
if(NOT toolchain_link_flags MATCHES "(-z,|-z )(now|lazy)")
    add_link_options(LINKER:-z,now)
endif()
# The folders of the source and the build stay out of the program (debug information,
# file names in messages), so builds in two folders give the same bytes. The build folder
# is named last: it may lie inside the source folder, and the last match wins.
if(NOT toolchain_compile_flags MATCHES "-f(file|debug)-prefix-map")
    add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
endif()
