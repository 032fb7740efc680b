# cmake -D SOURCE_DIR=... -D SUPERPROJECT_DIR=... -D WORK_DIR=... -D GENERATOR=...
#       -P subproject_installs_nothing.cmake
# Configures the superproject of SUPERPROJECT_DIR around the ebank sources and
# installs it without building: ebank must have added no install rule (one
# would fail on the missing files or install them) and no CPack configuration.
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" -G "${GENERATOR}" -S "${SUPERPROJECT_DIR}"
                        -B "${WORK_DIR}/build" "-DEBANK_SOURCE_DIR=${SOURCE_DIR}"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${WORK_DIR}/build"
                        --prefix "${WORK_DIR}/prefix"
                COMMAND_ERROR_IS_FATAL ANY)
if(EXISTS "${WORK_DIR}/prefix")
  file(GLOB_RECURSE installed "${WORK_DIR}/prefix/*")
  message(FATAL_ERROR "ebank as a subproject installed files: ${installed}")
endif()
file(GLOB cpack_files "${WORK_DIR}/build/CPack*Config.cmake")
if(cpack_files)
  message(FATAL_ERROR "ebank as a subproject set up packaging: ${cpack_files}")
endif()
