# Runs the freedesktop validators on the desktop entry and the AppStream metadata, and checks that
# the entry, the metadata and the file type name one another the same way: a desktop that finds
# one of them by the application id must find the rest.
#   cmake -DAPP_ID=... -DSOURCE_DIR=... -DMETAINFO=<generated metainfo> -DVERSION=... -P validate.cmake
cmake_minimum_required(VERSION 3.25)

foreach(tool desktop-file-validate appstreamcli)
    find_program(${tool}_PROGRAM ${tool})
    if(NOT ${tool}_PROGRAM)
        message(FATAL_ERROR
                "${tool} is missing: `make deps` installs desktop-file-utils and appstream")
    endif()
endforeach()

set(desktop_file ${SOURCE_DIR}/${APP_ID}.desktop)
set(metainfo_file ${METAINFO})
set(mime_file ${SOURCE_DIR}/${APP_ID}.xml)
set(failures "")

# desktop-file-validate fails only on errors; a warning is a fault of ours as well.
execute_process(COMMAND ${desktop-file-validate_PROGRAM} ${desktop_file}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "(error|warning):")
    list(APPEND failures "desktop-file-validate (exit ${rc}):\n${out}")
endif()

# appstreamcli fails on warnings and errors; --no-net leaves the screenshot and the URLs unfetched.
execute_process(COMMAND ${appstreamcli_PROGRAM} validate --no-net --no-color ${metainfo_file}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    list(APPEND failures "appstreamcli validate (exit ${rc}):\n${out}")
endif()

# A line of the entry as a CMake list: its values are separated by semicolons already.
file(READ ${desktop_file} desktop_text)
function(entry_value key out)
    if(desktop_text MATCHES "\n${key}=([^\n]*)")
        set(value "${CMAKE_MATCH_1}")
        list(REMOVE_ITEM value "")
        set(${out} "${value}" PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()
entry_value(Exec entry_exec)
entry_value(Icon entry_icon)
entry_value(MimeType entry_mimetypes)

# The file manager passes the chosen saved reading as the one argument.
if(NOT entry_exec STREQUAL "kistarra %f")
    list(APPEND failures "Exec is '${entry_exec}', expected 'kistarra %f'")
endif()
if(NOT entry_icon STREQUAL APP_ID)
    list(APPEND failures "Icon is '${entry_icon}', expected the installed icon name '${APP_ID}'")
endif()

file(READ ${mime_file} mime_xml)
string(REGEX MATCHALL "<mime-type type=\"[^\"]+\"" declared "${mime_xml}")
list(TRANSFORM declared REPLACE "<mime-type type=\"([^\"]+)\"" "\\1")
if(NOT declared)
    list(APPEND failures "${mime_file} declares no MIME type")
endif()
if(NOT mime_xml MATCHES "<glob pattern=\"\\*\\.nsk\"/>")
    list(APPEND failures "${mime_file} has no glob for *.nsk")
endif()
foreach(type IN LISTS declared)
    if(NOT type IN_LIST entry_mimetypes)
        list(APPEND failures "the desktop entry's MimeType lacks ${type}")
    endif()
endforeach()

file(READ ${metainfo_file} metainfo)
foreach(expected
        "<id>${APP_ID}</id>"
        "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
        "<release version=\"${VERSION}\""
        "<binary>kistarra</binary>")
    string(FIND "${metainfo}" "${expected}" at)
    if(at EQUAL -1)
        list(APPEND failures "${metainfo_file} lacks ${expected}")
    endif()
endforeach()
foreach(type IN LISTS declared)
    string(FIND "${metainfo}" "<mediatype>${type}</mediatype>" at)
    if(at EQUAL -1)
        list(APPEND failures "${metainfo_file} does not provide the media type ${type}")
    endif()
endforeach()

if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()
message(STATUS "desktop entry, AppStream metadata and file type agree and validate")
