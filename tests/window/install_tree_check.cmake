# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh staging prefix and checks that the program and every
# desktop file landed where a distribution expects them, the bitmaps at their nominal size.
# Variables: BUILD_DIR, STAGE, APP_ID, BINDIR, DATADIR.
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
                RESULT_VARIABLE install_failed)
if(install_failed)
    message(FATAL_ERROR "cmake --install failed")
endif()

set(icons "${STAGE}/${DATADIR}/icons/hicolor")
foreach(path "${BINDIR}/numer-integration" "${DATADIR}/applications/${APP_ID}.desktop"
             "${DATADIR}/metainfo/${APP_ID}.metainfo.xml"
             "${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg")
    if(NOT EXISTS "${STAGE}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

foreach(size 64 128)
    set(png "${icons}/${size}x${size}/apps/${APP_ID}.png")
    if(NOT EXISTS "${png}")
        message(FATAL_ERROR "not installed: ${png}")
    endif()
    # Signature, then the IHDR chunk: width and height as big-endian 32-bit numbers.
    file(READ "${png}" signature LIMIT 8 HEX)
    file(READ "${png}" width OFFSET 16 LIMIT 4 HEX)
    file(READ "${png}" height OFFSET 20 LIMIT 4 HEX)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${png} is not a ${size} x ${size} PNG (${width} x ${height})")
    endif()
endforeach()
