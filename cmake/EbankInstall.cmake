# `cmake --install` for C++ users: the headers under include/ebank/, the two
# shared libraries, the ebank tool and the transaction database server when
# they are built, a CMake package (find_package(ebank) gives ebank::ebank) and
# a pkg-config file (ebank.pc). See docs/install.md.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(EBANK_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/ebank"
    CACHE STRING "Where the CMake package files go, below the prefix")
# The in-process server is a loadable module, not a library to link against.
set(EBANK_INSTALL_SERVERDIR "${CMAKE_INSTALL_LIBDIR}/ebank"
    CACHE STRING "Where the transaction database server goes, below the prefix")

# ebank_install_gzipped(<file> <destination> <component> [EXCLUDE_FROM_ALL])
#   Installs <file> compressed as Debian packages carry documentation
#   (gzip -9n: reproducible, without name and time stamp).
find_program(EBANK_GZIP gzip REQUIRED)
function(ebank_install_gzipped file destination component)
  get_filename_component(name "${file}" NAME)
  set(compressed "${PROJECT_BINARY_DIR}/gzipped/${component}/${name}.gz")
  add_custom_command(
    OUTPUT "${compressed}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/gzipped/${component}"
    COMMAND "${EBANK_GZIP}" -9 -n -c "${file}" > "${compressed}"
    DEPENDS "${file}"
    COMMENT "Compressing ${name}")
  add_custom_target(ebank_gzipped_${component}_${name} ALL DEPENDS "${compressed}")
  install(FILES "${compressed}" DESTINATION "${destination}" COMPONENT ${component} ${ARGN})
endfunction()

# The public API is what ebank/ebank.h reaches; exactly those headers are
# installed, in their repository layout. The rest of ebank/ is internal/
# (implementation) or testing/ (test helpers); a header elsewhere that the
# umbrella header does not reach, or an internal/testing header it reaches,
# stops the configuration.
include(EbankPublicHeaders)
ebank_reachable_headers(ebank_public_headers "${PROJECT_SOURCE_DIR}" ebank/ebank.h)
list(REMOVE_ITEM ebank_public_headers ebank/version.h)
foreach(header ${ebank_public_headers})
  if(header MATCHES "/(internal|testing)/")
    message(FATAL_ERROR "a public header includes ${header}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${header}")
endforeach()
file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE "${PROJECT_SOURCE_DIR}"
     "${PROJECT_SOURCE_DIR}/ebank/*.h")
list(FILTER headers EXCLUDE REGEX "/(internal|testing)/")
list(REMOVE_ITEM headers ${ebank_public_headers})
if(headers)
  message(FATAL_ERROR "ebank/ebank.h does not reach these headers; include them there or "
                      "move them to internal/ or testing/: ${headers}")
endif()
foreach(header ${ebank_public_headers})
  get_filename_component(directory "${header}" DIRECTORY)
  install(FILES "${PROJECT_SOURCE_DIR}/${header}"
          DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/${directory}"
          COMPONENT development)
endforeach()
install(FILES "${PROJECT_BINARY_DIR}/include/ebank/version.h"
        DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/ebank"
        COMPONENT development)

# ebank::platform and ebank::ebank in the package, as in the build tree.
set_target_properties(ebankplatform PROPERTIES EXPORT_NAME platform)
install(TARGETS ebankplatform ebank
        EXPORT ebankTargets
        LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
                COMPONENT runtime
                NAMELINK_COMPONENT development
        INCLUDES DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}")

# Programs find the libraries beside their own prefix wherever it is
# installed, unless that is a directory the loader searches anyway (/usr).
set(ebank_libdir "${CMAKE_INSTALL_FULL_LIBDIR}")
if(ebank_libdir IN_LIST CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES)
  set(ebank_libdir_needs_rpath OFF)
else()
  set(ebank_libdir_needs_rpath ON)
endif()
file(RELATIVE_PATH ebank_bin_to_lib "/${CMAKE_INSTALL_BINDIR}" "/${CMAKE_INSTALL_LIBDIR}")
if(TARGET ebank_tool)
  if(ebank_libdir_needs_rpath)
    set_target_properties(ebank_tool PROPERTIES INSTALL_RPATH "$ORIGIN/${ebank_bin_to_lib}")
  endif()
  # The installed tool finds the installed server relative to itself.
  file(RELATIVE_PATH ebank_bin_to_server "/${CMAKE_INSTALL_BINDIR}" "/${EBANK_INSTALL_SERVERDIR}")
  target_compile_definitions(ebank_tool PRIVATE
    EBANK_TXNDB_SERVER_DIR_FROM_TOOL="${ebank_bin_to_server}")
  install(TARGETS ebank_tool RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT tool)
  ebank_install_gzipped("${PROJECT_SOURCE_DIR}/tools/ebank/ebank.1"
                        "${CMAKE_INSTALL_MANDIR}/man1" tool)
endif()
if(TARGET ebank_txndb_server)
  if(ebank_libdir_needs_rpath)
    file(RELATIVE_PATH ebank_server_to_lib "/${EBANK_INSTALL_SERVERDIR}" "/${CMAKE_INSTALL_LIBDIR}")
    set_target_properties(ebank_txndb_server PROPERTIES
      INSTALL_RPATH "$ORIGIN/${ebank_server_to_lib}")
  endif()
  install(TARGETS ebank_txndb_server
          LIBRARY DESTINATION "${EBANK_INSTALL_SERVERDIR}" COMPONENT tool)
endif()

install(EXPORT ebankTargets
        NAMESPACE ebank::
        DESTINATION "${EBANK_INSTALL_CMAKEDIR}"
        COMPONENT development)
configure_package_config_file(
  "${PROJECT_SOURCE_DIR}/cmake/ebankConfig.cmake.in"
  "${PROJECT_BINARY_DIR}/ebankConfig.cmake"
  INSTALL_DESTINATION "${EBANK_INSTALL_CMAKEDIR}")
write_basic_package_version_file(
  "${PROJECT_BINARY_DIR}/ebankConfigVersion.cmake"
  VERSION "${PROJECT_VERSION}"
  COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/ebankConfig.cmake"
              "${PROJECT_BINARY_DIR}/ebankConfigVersion.cmake"
        DESTINATION "${EBANK_INSTALL_CMAKEDIR}"
        COMPONENT development)

# pkg-config: below /usr the file names /usr, so pkg-config recognises the
# system directories and leaves them out of the flags. Elsewhere the prefix is
# found from the file's own place (${pcfiledir}), so an install under any
# prefix, given at install time, works.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(EBANK_PC_PREFIX "/usr")
else()
  file(RELATIVE_PATH EBANK_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
  string(REGEX REPLACE "/$" "" EBANK_PC_PREFIX "\${pcfiledir}/${EBANK_PC_PREFIX}")
endif()
configure_file("${PROJECT_SOURCE_DIR}/cmake/ebank.pc.in" "${PROJECT_BINARY_DIR}/ebank.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/ebank.pc"
        DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig"
        COMPONENT development)
