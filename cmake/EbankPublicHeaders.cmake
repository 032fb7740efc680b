# The walk over the headers the umbrella header reaches, shared by the install
# step (over the source tree) and the install test (over the installed tree).

# ebank_reachable_headers(<var> <root> <header>)
#   Sets <var> to <header> and every header it reaches through #include "..."
#   lines, as paths below <root>, in the order found. A header missing below
#   <root> is listed but not read.
function(ebank_reachable_headers var root header)
  set(reached "")
  set(pending ${header})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST reached)
      continue()
    endif()
    list(APPEND reached ${current})
    if(EXISTS "${root}/${current}")
      file(STRINGS "${root}/${current}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      list(TRANSFORM lines REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1")
      list(APPEND pending ${lines})
    endif()
  endwhile()
  set(${var} ${reached} PARENT_SCOPE)
endfunction()
