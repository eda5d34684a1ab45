# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack` in the build tree makes numer-integration_<version>_<arch>.deb
# from what `cmake --install` installs, plus the copyright file and changelog Debian asks for.

set(NUMERINT_PACKAGE_NAME numer-integration)
set(NUMERINT_MAINTAINER "Numer-Integration contributors <team@numerintegration.org>")
set(numerint_docdir ${CMAKE_INSTALL_DATADIR}/doc/${NUMERINT_PACKAGE_NAME})
set(numerint_packaging_dir ${PROJECT_BINARY_DIR}/packaging)

# Sets out_var to the date YYYY-MM-DD the way a Debian changelog writes it.
function(numerint_changelog_date iso_date out_var)
    if(NOT iso_date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "Not a date YYYY-MM-DD: '${iso_date}'")
    endif()
    set(year ${CMAKE_MATCH_1})
    set(day_text ${CMAKE_MATCH_3})
    math(EXPR month "${CMAKE_MATCH_2}")
    math(EXPR day "${day_text}")
    if(month LESS 1 OR month GREATER 12 OR day LESS 1 OR day GREATER 31)
        message(FATAL_ERROR "Not a date YYYY-MM-DD: '${iso_date}'")
    endif()
    # Sakamoto's weekday formula, 0 for Sunday: January and February count to the year before.
    set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR month_index "${month} - 1")
    list(GET month_offsets ${month_index} offset)
    set(y ${year})
    if(month LESS 3)
        math(EXPR y "${year} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
    set(weekday_names Sun Mon Tue Wed Thu Fri Sat)
    set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekday_names ${weekday} weekday_name)
    list(GET month_names ${month_index} month_name)
    set(${out_var} "${weekday_name}, ${day_text} ${month_name} ${year} 00:00:00 +0000"
        PARENT_SCOPE)
endfunction()

# Configures a packaging file without its first line, the licence comment of the source.
function(numerint_configure_package_file source output)
    file(READ ${source} content)
    string(REGEX REPLACE "^# SPDX-License-Identifier:[^\n]*\n" "" content "${content}")
    file(CONFIGURE OUTPUT ${output} CONTENT "${content}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

numerint_changelog_date(${NUMERINT_RELEASE_DATE} NUMERINT_RELEASE_DATE_RFC2822)
numerint_configure_package_file(${PROJECT_SOURCE_DIR}/packaging/copyright
                                ${numerint_packaging_dir}/copyright)
numerint_configure_package_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in
                                ${numerint_packaging_dir}/changelog)
# A version without a Debian revision makes a native package: its changelog is changelog.gz.
add_custom_command(OUTPUT ${numerint_packaging_dir}/changelog.gz
                   COMMAND gzip -9nkf changelog
                   DEPENDS ${numerint_packaging_dir}/changelog
                   WORKING_DIRECTORY ${numerint_packaging_dir} VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${numerint_packaging_dir}/changelog.gz)
install(FILES ${numerint_packaging_dir}/copyright ${numerint_packaging_dir}/changelog.gz
        DESTINATION ${numerint_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${NUMERINT_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Numer-Integration contributors")
set(CPACK_PACKAGE_CONTACT ${NUMERINT_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_DESCRIPTION
    "Numer-Integration integrates a differential equation y' = f(x, y), typed in or
chosen from a list, from a lower to an upper bound with a fixed number of steps
of Euler-Cauchy, Heun, the midpoint rule or Runge-Kutta of third or fourth
order, starting from an initial value. Its window keeps a list of results and
shows the course of a calculation step by step, with the exact solution and the
error, the methods side by side and a convergence study of their orders. Its
command line prints a result, the course or the study as CSV, for scripts.
The program speaks German and reads numbers the way the locale writes them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://numerintegration.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program loads Qt's German texts at start when they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# 0755 directories and 0644 control files whatever the umask of the one who builds; install()
# sets the modes of the files itself.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageModes.cmake)
include(CPack)
