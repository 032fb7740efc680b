# cmake -D BUILD_DIR=... -D CONSUMER_DIR=... -D WORK_DIR=... -D METHOD=find_package|pkg_config
#       -D GENERATOR=... -D CXX_COMPILER=... -D CXX_FLAGS=... -P install_and_build_consumer.cmake
# Installs BUILD_DIR into WORK_DIR/prefix, configures and builds the consumer
# against it with METHOD, and runs the consumer. With find_package it also runs
# the installed tool's demo, which must use the installed server. The consumer
# sets no C++ standard: through find_package it must be compiled as C++20 (the
# package's usage requirement), through pkg-config with no -std at all.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# The installed headers are exactly those ebank/ebank.h reaches, and they
# include nothing but each other and the C++ standard library: no third-party,
# internal/ or testing/ header.
set(include_dir "${prefix}/include")
file(GLOB_RECURSE installed RELATIVE "${include_dir}" "${include_dir}/*")
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/EbankPublicHeaders.cmake")
ebank_reachable_headers(reached "${include_dir}" ebank/ebank.h)
foreach(header ${reached})
  if(NOT EXISTS "${include_dir}/${header}")
    message(FATAL_ERROR "an installed header includes ${header}, which is not installed")
  endif()
  file(STRINGS "${include_dir}/${header}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line ${includes})
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*<[a-z_]+>")
      message(FATAL_ERROR "${header} includes a header from outside the standard library: ${line}")
    endif()
  endforeach()
endforeach()
list(SORT installed)
list(SORT reached)
if(NOT installed STREQUAL reached)
  set(extra ${installed})
  list(REMOVE_ITEM extra ${reached})
  message(FATAL_ERROR "installed headers that ebank/ebank.h does not reach: ${extra}")
endif()

# Only the installed tree may be found: no package registry, no build tree.
set(configure_args
  -G "${GENERATOR}" -S "${CONSUMER_DIR}" -B "${WORK_DIR}/consumer"
  "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON)
if(METHOD STREQUAL "pkg_config")
  file(GLOB_RECURSE pc_file "${prefix}/*/ebank.pc")
  if(NOT pc_file)
    message(FATAL_ERROR "no ebank.pc below ${prefix}")
  endif()
  get_filename_component(pc_dir "${pc_file}" DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
  list(APPEND configure_args -DCONSUMER_USE_PKG_CONFIG=ON)
else()
  list(APPEND configure_args "-DCMAKE_PREFIX_PATH=${prefix}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" ${configure_args} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK_DIR}/consumer" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${WORK_DIR}/consumer/consumer" COMMAND_ERROR_IS_FATAL ANY)

file(READ "${WORK_DIR}/consumer/compile_commands.json" compile_commands)
if(METHOD STREQUAL "pkg_config" AND compile_commands MATCHES "-std=")
  message(FATAL_ERROR "the pkg-config flags choose a C++ standard:\n${compile_commands}")
elseif(METHOD STREQUAL "find_package" AND NOT compile_commands MATCHES "-std=(c|gnu)\\+\\+20")
  message(FATAL_ERROR "ebank::ebank did not bring C++20:\n${compile_commands}")
endif()

if(METHOD STREQUAL "find_package" AND EXISTS "${prefix}/bin/ebank")
  unset(ENV{EBANK_TXNDB_SERVER})
  execute_process(COMMAND "${prefix}/bin/ebank" demo
                  OUTPUT_VARIABLE demo_output COMMAND_ERROR_IS_FATAL ANY)
  if(NOT demo_output MATCHES "server[^\n]*${prefix}/[^\n]*/ebank/libebanktxndb\\.so")
    message(FATAL_ERROR "the installed tool did not use the installed server:\n${demo_output}")
  endif()
endif()
