# The Debian package, zonora_<version>-1_amd64.deb, made by CPack from the
# project's own install rules: `cpack --config build/release/CPackConfig.cmake`
# (scripts/package.sh does it). The Windows setup is made by makensis instead,
# from packaging/windows/zonora.nsi.
include(GNUInstallDirs)

set(ZONORA_APPSTREAM_ID io.github.zonora.Zonora)
set(ZONORA_HOMEPAGE https://github.com/zonora/zonora)
set(ZONORA_PACKAGE_CONTACT "Zonora developers <zonora@users.noreply.github.com>")
set(zonora_packaging_dir ${PROJECT_SOURCE_DIR}/packaging/linux)
set(zonora_metainfo ${zonora_packaging_dir}/${ZONORA_APPSTREAM_ID}.metainfo.xml)
set(zonora_changelog ${zonora_packaging_dir}/changelog.Debian)

# The release notes are written by hand; a version bump that forgets them
# would ship a package whose metadata names the previous release.
file(READ ${zonora_metainfo} zonora_metainfo_text)
if(NOT zonora_metainfo_text MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "${zonora_metainfo} has no release ${PROJECT_VERSION}")
endif()
file(STRINGS ${zonora_changelog} zonora_changelog_top LIMIT_COUNT 1)
if(NOT zonora_changelog_top MATCHES "^zonora \\(${PROJECT_VERSION}-1\\) ")
  message(FATAL_ERROR "${zonora_changelog} does not start with ${PROJECT_VERSION}-1")
endif()

set(zonora_docdir ${CMAKE_INSTALL_DATADIR}/doc/zonora)
install(FILES ${zonora_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${zonora_packaging_dir}/copyright ${zonora_changelog} DESTINATION ${zonora_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zonora)
set(CPACK_PACKAGE_VENDOR "The Zonora developers")
set(CPACK_PACKAGE_CONTACT "${ZONORA_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "move a zone table between a Palm database and a Map file")
set(CPACK_PACKAGE_DESCRIPTION
    "Zonora moves one table of 256 byte values, the zone table, between the zone
database (a Palm OS PDB file) of the Druma handheld application and a
plain-text Map file that a person can read and edit in any text editor.

One window: pick a direction, pick the two files, press Convert. The same
conversions also run from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZONORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its X11 platform plugin at run time, so no library names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Debian's rule for manuals and changelogs is gzip; the install rules keep
# them plain so that `cmake --install` works anywhere.
set(CPACK_PRE_BUILD_SCRIPTS ${zonora_packaging_dir}/compress-docs.cmake)

include(CPack)
