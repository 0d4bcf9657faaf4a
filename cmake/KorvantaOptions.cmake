# Warnings and floating-point rules shared by every target of the project.
add_library(korvanta_options INTERFACE)
target_compile_options(korvanta_options INTERFACE
  -Wall -Wextra -Wpedantic -Wno-unused-parameter
  # No fused multiply-add contraction: results must be bit-identical on every machine.
  -ffp-contract=off)

# Continuous integration turns warnings into errors; a developer's build only shows them.
option(KORVANTA_WERROR "Treat compiler warnings as errors" OFF)
if(KORVANTA_WERROR)
  target_compile_options(korvanta_options INTERFACE -Werror)
endif()

if(KORVANTA_SANITIZE)
  string(REPLACE ";" "," _san "${KORVANTA_SANITIZE}")
  add_compile_options(-fsanitize=${_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_san})
endif()

# Collects the sources of one folder tree; new files are picked up at the next build.
function(korvanta_glob_sources out)
  set(_all)
  foreach(_dir IN LISTS ARGN)
    file(GLOB_RECURSE _found CONFIGURE_DEPENDS ${_dir}/*.cpp ${_dir}/*.c)
    list(APPEND _all ${_found})
  endforeach()
  set(${out} ${_all} PARENT_SCOPE)
endfunction()
