# The Debian package of Kistarra: `make package` (or `cpack` in a configured build directory)
# turns everything `cmake --install` puts under the prefix into kistarra_<version>_<arch>.deb.
# Configure with -DCMAKE_INSTALL_PREFIX=/usr so the files land where Debian looks for them.

# Every Debian package carries its copyright and a compressed changelog in /usr/share/doc/<name>.
# gzip -n leaves the name and time out of the header, so the same changelog gives the same bytes.
find_program(KISTARRA_GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog
               @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
    COMMAND ${KISTARRA_GZIP} -9nc ${PROJECT_BINARY_DIR}/debian/changelog
            > ${PROJECT_BINARY_DIR}/debian/changelog.gz
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog
    COMMENT "Compressing the Debian changelog"
    VERBATIM)
add_custom_target(kistarra_debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kistarra)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kistarra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Orvantis)
set(CPACK_PACKAGE_CONTACT "Orvantis <support@orvantis.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Nine Star Ki readings from a name and a birth date")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.kistarra.example/)
# A packaged program carries no symbol tables; lintian counts them as a fault.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME kistarra)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orvantis <support@orvantis.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.kistarra.example/)
# The extended description; CPack puts the summary above it as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Kistarra gives a person their Nine Star Ki reading. Type a name, pick a
birth date, and it shows the principal, character and energetic star
numbers with their meanings, a Lo Shu chart of the digits of the date, a
Feng Shui profile (group, element and trigram) and a relationship analysis.
.
The birth details can be saved to a small .nsk file and opened again from
the program, the command line or the file manager; the report can be
printed. With options, kistarra prints a reading in the terminal as text or
JSON.")
# The library packages (Qt, and ERFA for the Sun's position: liberfa1) come from dpkg-shlibdeps
# (package dpkg-dev), read off the binary. The time zones are data the binary does not name: the
# local dates of the solar terms need the IANA database of tzdata. The stems, branches and terms
# are Chinese characters that DejaVu lacks: either CJK font draws every one of them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "tzdata, fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Control files with the modes dpkg expects (0644, scripts 0755), which lintian checks.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
