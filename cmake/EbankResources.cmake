# ebank_add_resources(<target>
#                     [XSL <id> <file>]... [RCDATA <name> <file>]...
#                     [STRING <id> <text>]... [VERSION <text>])
#   Packs the listed resources into a `.ebank.rsrc` section and adds it to the
#   target's file after linking, where FindResourceA, LoadStringA and
#   GetFileVersionInfoA find them. See docs/resources.md.

if(NOT TARGET ebank_rsrc_pack)
  add_executable(ebank_rsrc_pack EXCLUDE_FROM_ALL
                 "${PROJECT_SOURCE_DIR}/tools/rsrc-pack/rsrc_pack.cpp")
  target_include_directories(ebank_rsrc_pack PRIVATE "${PROJECT_SOURCE_DIR}")
  target_link_libraries(ebank_rsrc_pack PRIVATE ebank_build_flags)
endif()

function(ebank_add_resources target)
  set(args ${ARGN})
  set(list_text "")
  set(inputs "")
  while(args)
    list(POP_FRONT args kind)
    if(kind STREQUAL "VERSION")
      list(POP_FRONT args text)
      string(APPEND list_text "version ${text}\n")
    elseif(kind STREQUAL "XSL" OR kind STREQUAL "RCDATA")
      list(POP_FRONT args name file)
      get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
      string(TOLOWER "${kind}" word)
      string(APPEND list_text "${word} ${name} ${file}\n")
      list(APPEND inputs "${file}")
    elseif(kind STREQUAL "STRING")
      list(POP_FRONT args id text)
      string(APPEND list_text "string ${id} ${text}\n")
    else()
      message(FATAL_ERROR "ebank_add_resources: unknown resource kind '${kind}'")
    endif()
  endwhile()

  set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${target}.rsrc.list")
  set(blob "${CMAKE_CURRENT_BINARY_DIR}/${target}.rsrc")
  file(GENERATE OUTPUT "${list_file}" CONTENT "${list_text}")
  add_custom_command(
    OUTPUT "${blob}"
    COMMAND ebank_rsrc_pack "${list_file}" "${blob}"
    DEPENDS ebank_rsrc_pack "${list_file}" ${inputs}
    COMMENT "Packing the resources of ${target}"
    VERBATIM)
  add_custom_target(${target}_resources DEPENDS "${blob}")
  add_dependencies(${target} ${target}_resources)
  # Relinking gives a file without the section, so a changed blob relinks.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${blob}")
  add_custom_command(
    TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_OBJCOPY}" --add-section ".ebank.rsrc=${blob}"
            --set-section-flags .ebank.rsrc=noload,readonly "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()
