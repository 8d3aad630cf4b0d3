# Fails when an include runs against the layers: app -> dialogs -> view -> core.
# core/ includes only core/ and the standard library (no header with an extension, so no <windows.h>),
# plus the C runtime's file-descriptor headers, which every compiler's runtime ships.
# Usage: cmake -DSOURCE_DIR=<tree> -P CheckLayers.cmake
cmake_policy(VERSION 3.20)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

# For each layer, the folders its quoted includes may name.
set(allowed_core "core/")
set(allowed_view "view/;core/")
set(allowed_dialogs "dialogs/;view/;core/;resource.h")
set(allowed_app "app/;dialogs/;view/;core/;resource.h")
set(c_runtime_headers "fcntl.h;io.h;sys/stat.h;unistd.h")

set(violations "")
foreach(layer core view dialogs app)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
      if(line MATCHES "\"([^\"]+)\"")
        set(target "${CMAKE_MATCH_1}")
        set(permitted FALSE)
        foreach(prefix IN LISTS allowed_${layer})
          string(FIND "${target}" "${prefix}" at)
          if(at EQUAL 0)
            set(permitted TRUE)
          endif()
        endforeach()
        if(NOT permitted)
          list(APPEND violations "${shown}: \"${target}\"")
        endif()
      elseif(layer STREQUAL "core" AND line MATCHES "<([^>]+\\.[^>]+)>"
             AND NOT CMAKE_MATCH_1 IN_LIST c_runtime_headers)
        list(APPEND violations "${shown}: <${CMAKE_MATCH_1}> is not a standard library header")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " shown)
  message(FATAL_ERROR "Includes against the layers (app -> dialogs -> view -> core):\n  ${shown}")
endif()
message(STATUS "Includes run one way")
