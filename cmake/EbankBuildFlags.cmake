# Compiler settings shared by every ebank target: strict warnings and, in the
# asan preset, AddressSanitizer with UndefinedBehaviorSanitizer, in the tsan
# preset ThreadSanitizer.
add_library(ebank_build_flags INTERFACE)
target_compile_options(ebank_build_flags INTERFACE -Wall -Wextra)
# Warnings are errors in the presets (CI and development); a build with
# another compiler, a distribution's package build for one, is not stopped by
# a warning that compiler adds.
option(EBANK_WERROR "Treat compiler warnings as errors" OFF)
if(EBANK_WERROR)
  target_compile_options(ebank_build_flags INTERFACE -Werror)
  # GCC 12 reports some std::string copies at -O3 as overlapping memcpy, a
  # false positive of its -Wrestrict fixed in GCC 13; there it stays a warning.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(ebank_build_flags INTERFACE -Wno-error=restrict)
  endif()
endif()

if(EBANK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
option(EBANK_TSAN "Build with ThreadSanitizer" OFF)
if(EBANK_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# The fuzz preset: clang's libFuzzer coverage instrumentation on every target,
# with AddressSanitizer and UndefinedBehaviorSanitizer (EBANK_SANITIZE). Only
# the fuzzers themselves link libFuzzer's driver (fuzz/CMakeLists.txt).
option(EBANK_BUILD_FUZZERS "Build the libFuzzer fuzzers (clang only)" OFF)
if(EBANK_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "EBANK_BUILD_FUZZERS needs clang (use the fuzz preset)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  # The sources are kept warning-free under gcc; clang's further warnings are
  # shown here but do not stop the fuzz build.
  target_compile_options(ebank_build_flags INTERFACE -Wno-error)
  # ctest replays every fuzzer's corpus as a regression test.
  enable_testing()
endif()

# The coverage preset: gcov counters in every target, read by gcovr
# (scripts/coverage.sh). Threaded tests bump the same counters from several
# threads; atomic updates keep them exact (plain ones lose increments and can
# leave a branch counter negative, which gcovr rejects).
option(EBANK_COVERAGE "Build with gcov coverage counters" OFF)
if(EBANK_COVERAGE)
  add_compile_options(--coverage -fprofile-update=atomic -O0)
  add_link_options(--coverage)
endif()

# The hardening flags Debian builds its packages with: stack protector, a
# read-only relocation table resolved at load time, and fortified libc calls.
# Fortification needs optimisation and would hide faults from the sanitizers,
# so it is left out of those builds.
option(EBANK_HARDENING "Build with hardening flags" ON)
if(EBANK_HARDENING)
  target_compile_options(ebank_build_flags INTERFACE -fstack-protector-strong)
  target_link_options(ebank_build_flags INTERFACE LINKER:-z,relro,-z,now)
  if(NOT (EBANK_SANITIZE OR EBANK_TSAN OR EBANK_COVERAGE OR EBANK_BUILD_FUZZERS))
    target_compile_definitions(ebank_build_flags INTERFACE
      $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  endif()
endif()
