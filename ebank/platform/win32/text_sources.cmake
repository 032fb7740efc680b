target_sources(ebankplatform PRIVATE
  code_page.cpp
  debug_output.cpp
  format_message.cpp
  last_error.cpp
  local_memory.cpp
  system_message.cpp
  temp_path.cpp
  wide_format.cpp
  wide_string.cpp
  wvsprintf.cpp)
ebank_add_tests(ebank_platform_win32_text_test
  SOURCES
    code_page_test.cpp
    debug_output_test.cpp
    format_message_test.cpp
    last_error_test.cpp
    temp_path_test.cpp
    wide_format_test.cpp
    wide_string_test.cpp
    wvsprintf_test.cpp
  LIBS ebank::platform)
