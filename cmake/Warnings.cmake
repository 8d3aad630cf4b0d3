# Strict warnings for the project's own targets only (GoogleTest keeps its own flags).
function(kaleidra_warnings target)
  if(MSVC)
    # Not built on the project's machines: warnings there are reported without failing the build.
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror)
  endif()
endfunction()
