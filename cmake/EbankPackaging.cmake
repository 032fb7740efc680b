# Debian packages of the installed tree, split the way Debian splits a library
# (`cpack` in a build of the package preset, see docs/install.md):
#   libebank0    the two shared libraries                (component runtime)
#   libebank-dev headers, CMake package, ebank.pc, .so links (development)
#   ebank        the tool and the transaction database server (tool)
# Each carries its copyright file and compressed changelog in
# /usr/share/doc/<package>/; those files are left out of a plain
# `cmake --install`.
set(CPACK_PACKAGE_NAME "ebank")
set(CPACK_PACKAGE_VENDOR "ebank maintainers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
# Each package's description begins with its own synopsis, then paragraphs
# CPack indents as Debian wants; without a common summary CPack puts none
# before them.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_CONTACT "ebank maintainers <maintainers@users.noreply.c-seed-1f79bcf2.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_GENERATOR "DEB")
set(CPACK_STRIP_FILES ON)
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Debian packages of this build install below ${CMAKE_INSTALL_PREFIX}; "
                 "configure the package preset for packages that install under /usr")
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development tool)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Library dependencies (libxml2, libxslt, unixODBC, the C++ runtime) come from
# the installed binaries; the tool's dependency on libebank0 is resolved
# against the libraries of this build.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${PROJECT_BINARY_DIR}")
# The shlibs file of libebank0 (the server module has no soname and gets none).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(ebank_exact_version "${PROJECT_VERSION}")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME "libebank${PROJECT_VERSION_MAJOR}")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION "libs")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "Support library of the online-banking module
ebank gives banking components money and date values, one error model
built on HRESULTs, an XML document class with XPath and XSL transforms,
account records, a handle on a transaction database server, a trace log
and RSA encryption of short strings.

This package contains the shared libraries libebank and libebankplatform,
the layer of COM, OLE Automation, Win32 and MSXML operations the library
is written against.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME "libebank-dev")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION "libdevel")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME} (= ${ebank_exact_version})")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "Support library of the online-banking module (development files)
ebank gives banking components money and date values, one error model
built on HRESULTs, an XML document class with XPath and XSL transforms,
account records, a handle on a transaction database server, a trace log
and RSA encryption of short strings.

This package contains the C++20 headers, the CMake package
(find_package(ebank) gives ebank::ebank) and the pkg-config file ebank.pc.")

# `ebank demo` keeps its accounts in SQLite through the ODBC driver that
# libsqliteodbc installs and registers with unixODBC (through odbcinst) under
# the name the tool asks for.
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME "ebank")
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS
    "${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME} (= ${ebank_exact_version}), libsqliteodbc")
set(CPACK_DEBIAN_TOOL_DESCRIPTION
    "Command-line tool of the online-banking support library
The ebank tool runs the operations of the ebank library from a shell:
amounts and dates in their text forms, account records, XPath queries and
XSL transforms, RSA key records and encryption, the trace configuration,
and accounts kept by the transaction database server.

This package also contains that server, a loadable module that keeps
accounts in a database reached through ODBC. `ebank demo` runs a typical
request end to end against a fresh SQLite database.")

# Debian's copyright file and changelog, once per package, installed only with
# the package's component.
file(STRINGS "${PROJECT_SOURCE_DIR}/packaging/changelog" ebank_changelog_top LIMIT_COUNT 1)
if(NOT ebank_changelog_top MATCHES "^ebank \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog does not begin with version ${PROJECT_VERSION}")
endif()
foreach(component runtime development tool)
  string(TOUPPER "${component}" upper)
  set(docdir "${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}")
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright"
          DESTINATION "${docdir}" COMPONENT ${component} EXCLUDE_FROM_ALL)
  ebank_install_gzipped("${PROJECT_SOURCE_DIR}/packaging/changelog" "${docdir}" ${component}
                        EXCLUDE_FROM_ALL)
endforeach()

# CPack calls ldconfig from maintainer scripts of its own; Debian runs it
# through the ldconfig trigger instead. The runtime package is rebuilt with the
# trigger in place of those scripts.
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/EbankLdconfigTrigger.cmake")

include(CPack)
