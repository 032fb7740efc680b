# A Debian package of the installed tree, built with `cpack -G DEB` in a
# release build: the libraries, the tool, the server, headers and package
# files in one package that installs under /usr.
set(CPACK_PACKAGE_NAME "ebank")
set(CPACK_PACKAGE_VENDOR "ebank project")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "ebank maintainers <ebank@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "libs")
# Library dependencies (libxml2, libxslt, the C++ runtime) come from the
# installed binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries' directory is the package's own, for dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

include(CPack)
