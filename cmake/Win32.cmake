# Settings shared by every Windows target: UTF-8 sources whose strings reach the program as written
# (wide literals, nothing left to the compiler's execution character set), and a run time linked in,
# so that the program imports only Windows system DLLs.
enable_language(RC)

# Every C++ source is UTF-8, comments in Japanese included, whatever the build machine's code page
# (the resource compiler gets its own flag below).
if(MSVC)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:/utf-8>)
else()
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8>)
endif()

# MSVC: the static run time (/MT, /MTd) for every target, GoogleTest included.
set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")

function(kaleidra_win32_target target)
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  if(MSVC)
    # The resource script embeds the manifest; a second one from the linker would clash with it.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  else()
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

if(CMAKE_RC_COMPILER MATCHES "windres")
  # The .rc file is UTF-8; windres reads it as such only when told.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()
