# Compiler settings shared by every ebank target: strict warnings and, in the
# asan preset, AddressSanitizer with UndefinedBehaviorSanitizer.
add_library(ebank_build_flags INTERFACE)
target_compile_options(ebank_build_flags INTERFACE -Wall -Wextra -Werror)

if(EBANK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(EBANK_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
