# The Debian package: `cmake --build build --target package` makes
# build/ostrelin_<version>_<architecture>.deb of what `cmake --install` puts into /usr, with the
# copyright file and changelog that Debian wants beside every package's files.
set(OSTRELIN_DEBIAN_DIR ${PROJECT_SOURCE_DIR}/packaging/debian)

# The package's version is the project's: the changelog's newest entry must name it.
file(STRINGS ${OSTRELIN_DEBIAN_DIR}/changelog OSTRELIN_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT OSTRELIN_CHANGELOG_TOP MATCHES "^ostrelin \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog does not begin with version ${PROJECT_VERSION}")
endif()

ostrelin_gzip(ostrelin_changelog ${OSTRELIN_DEBIAN_DIR}/changelog)
install(FILES ${OSTRELIN_DEBIAN_DIR}/copyright ${ostrelin_changelog_FILES} DESTINATION share/doc/ostrelin)
# What lintian reports of the package and is not so, each with its reason.
install(FILES ${OSTRELIN_DEBIAN_DIR}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME ostrelin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrelin)
set(CPACK_PACKAGE_CONTACT "Ostrelin maintainers <maintainers@users.noreply.c-seed-f1b2b5bc.example>")
# The description stays English, unlike everything the programs say: Debian wants a package's
# Description in English and carries its translations, Czech among them, beside it, each one
# keyed to the English text.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print spooler of the Tarvok Calc workstation")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvok Calc writes every print job as a spool file into a spool directory.
Ostrelin lists the waiting jobs in a small Czech window, prints them one by
one on a CUPS printer or into PDF files, and lives in the notification area.
The package also holds ostrelin-render, which prints one spool file without
the spooler, ostrelin-post, which posts a window message to a running
spooler, ostrelin-pcl2qsf, which makes a raster spool file of a PCL
print file, and ostrelin-bridge.exe, through which Tarvok Calc running under
Wine finds the spooler.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps. Beside them the program needs the fonts its layout is
# measured with (the documents' and the window's) and Qt's Czech texts for the standard buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-extra, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS cups)
# Wine runs ostrelin-bridge.exe for Tarvok Calc; the spooler works without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wine)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${OSTRELIN_DEBIAN_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
