# SPDX-License-Identifier: GPL-3.0-or-later
# The release notes, NEWS in AppStream's text format, read by the build:
#
#   Version 1.0.0
#   ~~~~~~~~~~~~~
#   Released: 2026-12-10
#
#   Features:
#    * a note, wrapped with
#      three spaces
#
# velantra_read_news(FILE) sets, for the newest release, VELANTRA_RELEASE_VERSION,
# VELANTRA_RELEASE_DATE (YYYY-MM-DD) and VELANTRA_RELEASE_EPOCH (that day's midnight, UTC,
# in seconds), and VELANTRA_DEBIAN_CHANGELOG, the Debian changelog of every release,
# signed by VELANTRA_MAINTAINER. The AppStream metadata gets its release entries from
# the same file (tools/release-notes.sh).

# Seconds from 1970-01-01 to midnight UTC of a YYYY-MM-DD date (days from the civil
# calendar, in whole-number arithmetic).
function(velantra_date_epoch date out)
    if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "NEWS: '${date}' is not a date written YYYY-MM-DD")
    endif()
    math(EXPR y "${CMAKE_MATCH_1}")
    math(EXPR m "1${CMAKE_MATCH_2} - 100")
    math(EXPR d "1${CMAKE_MATCH_3} - 100")
    if(m LESS_EQUAL 2)
        math(EXPR y "${y} - 1")
        math(EXPR m "${m} + 9")
    else()
        math(EXPR m "${m} - 3")
    endif()
    math(EXPR era "${y} / 400")
    math(EXPR yoe "${y} - ${era} * 400")
    math(EXPR doy "(153 * ${m} + 2) / 5 + ${d} - 1")
    math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
    math(EXPR days "${era} * 146097 + ${doe} - 719468")
    math(EXPR seconds "${days} * 86400")
    set(${out} ${seconds} PARENT_SCOPE)
endfunction()

# A date in the given strftime format, in UTC and without the build's own clock.
function(velantra_format_epoch epoch format out)
    set(saved "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    string(TIMESTAMP text "${format}" UTC)
    set(ENV{SOURCE_DATE_EPOCH} "${saved}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(velantra_read_news file)
    file(STRINGS ${file} lines)
    set(changelog "")
    set(version "")
    set(newest_version "")
    set(newest_date "")
    set(items "")
    # Closes the entry of ${version}: its notes, then the signature with its date.
    macro(close_entry)
        if(version)
            if(NOT date)
                message(FATAL_ERROR "NEWS: version ${version} has no 'Released:' line")
            endif()
            if(NOT items)
                message(FATAL_ERROR "NEWS: version ${version} has no notes")
            endif()
            velantra_date_epoch(${date} epoch)
            velantra_format_epoch(${epoch} "%a, %d %b %Y %H:%M:%S +0000" signed)
            string(APPEND changelog "speed-velantra (${version}) unstable; urgency=medium\n\n"
                   "${items}\n -- ${VELANTRA_MAINTAINER}  ${signed}\n\n")
            if(NOT newest_version)
                set(newest_version ${version})
                set(newest_date ${date})
            endif()
        endif()
    endmacro()
    foreach(line IN LISTS lines)
        if(line MATCHES "^Version ([0-9][0-9.]*)$")
            close_entry()
            set(version ${CMAKE_MATCH_1})
            set(date "")
            set(items "")
        elseif(line MATCHES "^Released: (.*)$")
            set(date ${CMAKE_MATCH_1})
        elseif(line MATCHES "^ \\* (.*)$")
            string(APPEND items "  * ${CMAKE_MATCH_1}\n")
        elseif(line MATCHES "^   (.*)$")
            string(APPEND items "    ${CMAKE_MATCH_1}\n")
        endif()
    endforeach()
    close_entry()
    if(NOT newest_version)
        message(FATAL_ERROR "NEWS: no release in ${file}")
    endif()
    string(STRIP "${changelog}" changelog)
    velantra_date_epoch(${newest_date} newest_epoch)
    set(VELANTRA_RELEASE_VERSION ${newest_version} PARENT_SCOPE)
    set(VELANTRA_RELEASE_DATE ${newest_date} PARENT_SCOPE)
    set(VELANTRA_RELEASE_EPOCH ${newest_epoch} PARENT_SCOPE)
    set(VELANTRA_DEBIAN_CHANGELOG "${changelog}\n" PARENT_SCOPE)
endfunction()
