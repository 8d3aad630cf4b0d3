# Settings shared by every Windows target: ANSI API, Shift-JIS literals, static run time.
enable_language(RC)

function(kaleidra_win32_target target)
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  if(MSVC)
    target_compile_options(${target} PRIVATE /source-charset:utf-8 /execution-charset:.932)
  else()
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

if(CMAKE_RC_COMPILER MATCHES "windres")
  # The .rc file is UTF-8; dialog and menu texts must reach the binary as Shift-JIS.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()
