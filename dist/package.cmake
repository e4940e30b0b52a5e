# The Debian package: `cmake --build build --target package` (or cpack in build/)
# writes sorvane_<version>_amd64.deb. Its dependencies are those dpkg-shlibdeps
# finds for the programs' shared libraries, so they follow the libraries the
# build really linked (needs dpkg-dev). CPack writes the archive with root as
# the owner itself, so no fakeroot is needed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarnwell Software")
set(CPACK_PACKAGE_CONTACT "Tarnwell Software <packages@sorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "meta-search client asking every engine of a category at once")
# CPack puts the summary first and indents these lines as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sorvane sends your words to every search engine of the category you pick,
cuts the hits out of each result page, ranks them against your words and
merges them into one table in which each address appears once. Every search
is kept and can be shown again, run again or deleted. The My PC category finds
the files of local and network folders that hold a phrase.

The package holds the window program, sorvane, and a console front end for
scripts and terminals, sorvane-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://sorvane.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders as Debian wants them whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
