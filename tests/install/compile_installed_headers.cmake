# cmake -D BUILD_DIR=... -D HEADERS_DIR=... -D WORK_DIR=... -D GENERATOR=...
#       -D CXX_COMPILER=... -D CXX_FLAGS=... -P compile_installed_headers.cmake
# Installs BUILD_DIR into WORK_DIR/prefix and builds the HEADERS_DIR project,
# which compiles each installed header alone under the compiler's default
# C++ standard.
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${CMAKE_COMMAND}" -G "${GENERATOR}" -S "${HEADERS_DIR}"
                        -B "${WORK_DIR}/headers" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}"
                        "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DEBANK_INCLUDE_DIR=${prefix}/include"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK_DIR}/headers" COMMAND_ERROR_IS_FATAL ANY)
