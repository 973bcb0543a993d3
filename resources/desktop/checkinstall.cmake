# Installs the build into a scratch DESTDIR as a package would (prefix /usr) and checks the result:
# exactly the expected files, icons of the size their folder names, a binary that runs, metadata
# that finds its desktop entry, and a MIME database that maps *.nsk to the saved-reading type once
# update-mime-database has read our package.
#   cmake -DAPP_ID=... -DBUILD_DIR=... -DSTAGE_DIR=... -DVERSION=... -P checkinstall.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${STAGE_DIR})
set(ENV{DESTDIR} ${STAGE_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (exit ${rc}):\n${out}")
endif()
unset(ENV{DESTDIR})
set(root ${STAGE_DIR}/usr)

set(icon_sizes 16 32 48 64 128 256)
set(expected
    bin/kistarra
    share/applications/${APP_ID}.desktop
    share/doc/kistarra/changelog.gz
    share/doc/kistarra/copyright
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/man/man1/kistarra.1.gz
    share/metainfo/${APP_ID}.metainfo.xml
    share/mime/packages/${APP_ID}.xml)
foreach(size IN LISTS icon_sizes)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
file(GLOB_RECURSE outside LIST_DIRECTORIES false RELATIVE ${STAGE_DIR} ${STAGE_DIR}/*)
list(FILTER outside EXCLUDE REGEX "^usr/")
set(failures "")
set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(unexpected ${installed})
list(REMOVE_ITEM unexpected ${expected})
if(missing)
    list(JOIN missing "\n  " text)
    list(APPEND failures "not installed:\n  ${text}")
endif()
if(unexpected OR outside)
    list(JOIN unexpected "\n  " text)
    list(JOIN outside "\n  " text2)
    list(APPEND failures "installed but not expected:\n  ${text} ${text2}")
endif()

# A PNG keeps its width and height as two big-endian 32-bit numbers at byte 16.
foreach(size IN LISTS icon_sizes)
    set(icon ${root}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    if(EXISTS ${icon})
        file(READ ${icon} header LIMIT 8 OFFSET 16 HEX)
        math(EXPR want "${size}" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${want}" 2 -1 want)
        string(LENGTH "${want}" digits)
        math(EXPR padding "8 - ${digits}")
        string(REPEAT "0" ${padding} zeros)
        if(NOT header STREQUAL "${zeros}${want}${zeros}${want}")
            list(APPEND failures "${icon} is not ${size}x${size} (IHDR ${header})")
        endif()
    endif()
endforeach()

if(EXISTS ${root}/bin/kistarra)
    execute_process(COMMAND ${root}/bin/kistarra --version
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0 OR NOT out STREQUAL "Kistarra ${VERSION}")
        list(APPEND failures "installed kistarra --version gave '${out}' (exit ${rc}) ${err}")
    endif()
endif()

# Reads the metadata as a software centre does: beside the installed desktop entry it launches.
find_program(APPSTREAMCLI appstreamcli)
if(NOT APPSTREAMCLI)
    list(APPEND failures "appstreamcli is missing: `make deps` installs appstream")
else()
    execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net --no-color ${STAGE_DIR}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        list(APPEND failures "appstreamcli validate-tree (exit ${rc}):\n${out}")
    endif()
endif()

find_program(UPDATE_MIME_DATABASE update-mime-database)
if(NOT UPDATE_MIME_DATABASE)
    list(APPEND failures "update-mime-database is missing: `make deps` installs shared-mime-info")
elseif(EXISTS ${root}/share/mime/packages/${APP_ID}.xml)
    # Built beside the stage, so that the installed tree stays exactly what the install wrote.
    set(mime_root ${STAGE_DIR}-mime)
    file(REMOVE_RECURSE ${mime_root})
    file(COPY ${root}/share/mime/packages/${APP_ID}.xml DESTINATION ${mime_root}/mime/packages)
    set(ENV{XDG_DATA_DIRS} ${mime_root})
    execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${mime_root}/mime
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    set(globs "")
    if(EXISTS ${mime_root}/mime/globs2)
        file(READ ${mime_root}/mime/globs2 globs)
    endif()
    set(mapped ":application/x-kistarra-reading:\\*\\.nsk\n")
    if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT globs MATCHES "${mapped}")
        list(APPEND failures
             "update-mime-database (exit ${rc}) did not map *.nsk:\n${out}\n${globs}")
    endif()
endif()

if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()
list(LENGTH expected count)
message(STATUS "cmake --install put the ${count} expected files in place")
