target_sources(ebankplatform PRIVATE
  code_page.cpp
  debug_output.cpp
  float_text.cpp
  format_message.cpp
  last_error.cpp
  local_memory.cpp
  runtime_format.cpp
  system_message.cpp
  temp_path.cpp
  wide_format.cpp
  wide_string.cpp
  wvsprintf.cpp)

# The system message table is compiled in as one string literal made from its
# text file; editing the file reconfigures and rebuilds.
set(system_messages "${CMAKE_CURRENT_SOURCE_DIR}/system_messages.txt")
set(system_messages_inc "${PROJECT_BINARY_DIR}/include/ebank/platform/win32/system_messages.inc")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${system_messages}")
file(READ "${system_messages}" system_messages_text)
file(WRITE "${system_messages_inc}.new" "R\"table(${system_messages_text})table\"\n")
file(COPY_FILE "${system_messages_inc}.new" "${system_messages_inc}" ONLY_IF_DIFFERENT)

ebank_add_tests(ebank_platform_win32_text_test
  SOURCES
    code_page_test.cpp
    debug_output_test.cpp
    format_message_test.cpp
    last_error_test.cpp
    runtime_format_test.cpp
    temp_path_test.cpp
    wide_format_test.cpp
    wide_string_test.cpp
    wvsprintf_test.cpp
  LIBS ebank::platform)
if(TARGET ebank_platform_win32_text_test)
  target_compile_definitions(ebank_platform_win32_text_test PRIVATE
    EBANK_SYSTEM_MESSAGES_TXT="${system_messages}")
endif()
