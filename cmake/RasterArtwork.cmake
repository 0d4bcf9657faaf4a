# The artwork as pictures, for a Qt without its SVG module (the mingw cross build). The tool that
# renders them runs on the build host: korvanta-render-icon from a Linux build
# (scripts/windows-build.sh builds it and passes KORVANTA_HOST_RENDER_ICON), or the tool built
# here when this Qt has the SVG module after all.
include_guard(GLOBAL)

set(KORVANTA_HOST_RENDER_ICON "" CACHE FILEPATH "korvanta-render-icon built for the build host")
if(TARGET korvanta-render-icon)
  set(KORVANTA_RENDER_ICON_COMMAND $<TARGET_FILE:korvanta-render-icon>)
  set(KORVANTA_RENDER_ICON_DEPENDS korvanta-render-icon)
elseif(KORVANTA_HOST_RENDER_ICON AND EXISTS "${KORVANTA_HOST_RENDER_ICON}")
  set(KORVANTA_RENDER_ICON_COMMAND ${KORVANTA_HOST_RENDER_ICON})
  set(KORVANTA_RENDER_ICON_DEPENDS ${KORVANTA_HOST_RENDER_ICON})
else()
  message(FATAL_ERROR "This Qt has no SVG module: set KORVANTA_HOST_RENDER_ICON to korvanta-render-icon built "
                      "on the build host (scripts/windows-build.sh does).")
endif()

# Renders every SVG a resource file lists to a PNG at four times its own size, under the same name
# with ".png", and compiles them into a resource of the same name; `out` receives the C++ source.
function(korvanta_raster_artwork out qrc name)
  get_filename_component(_source_dir ${qrc} DIRECTORY)
  set(_artwork_dir ${CMAKE_CURRENT_BINARY_DIR}/artwork)
  file(STRINGS ${qrc} _lines REGEX "<file>.*\\.svg</file>")
  set(_pngs)
  set(_entries)
  foreach(_line IN LISTS _lines)
    string(REGEX REPLACE ".*<file>(.*)\\.svg</file>.*" "\\1" _file "${_line}")
    set(_png ${_artwork_dir}/${_file}.png)
    get_filename_component(_png_dir ${_png} DIRECTORY)
    add_custom_command(OUTPUT ${_png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${_png_dir}
      COMMAND ${KORVANTA_RENDER_ICON_COMMAND} --scale 4 ${_source_dir}/${_file}.svg ${_png}
      DEPENDS ${KORVANTA_RENDER_ICON_DEPENDS} ${_source_dir}/${_file}.svg VERBATIM)
    list(APPEND _pngs ${_png})
    string(APPEND _entries "  <file>${_file}.png</file>\n")
  endforeach()
  set(_raster_qrc ${_artwork_dir}/${name}.qrc)
  file(CONFIGURE OUTPUT ${_raster_qrc}
       CONTENT "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n${_entries}</qresource>\n</RCC>\n")
  set(_cpp ${CMAKE_CURRENT_BINARY_DIR}/qrc_${name}.cpp)
  add_custom_command(OUTPUT ${_cpp}
    COMMAND Qt6::rcc --name ${name} --output ${_cpp} ${_raster_qrc}
    DEPENDS ${_raster_qrc} ${_pngs} VERBATIM)
  set(${out} ${_cpp} PARENT_SCOPE)
endfunction()
