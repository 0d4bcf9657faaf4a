# What the Windows executables need beside them to run: the mingw runtime, the third-party
# libraries, and for the window Qt's libraries, the plugins it loads (the Windows platform, the
# native style, the printers) and Qt's Danish texts. Copied into the build's bin/ after every
# build, so the programs and tests run from there (under Wine here), and installed beside the
# program for the installer. Nothing else is copied: the list is what the programs load.
include_guard(GLOBAL)

set(_bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

# The compiler's own runtime: Qt's libraries link it dynamically, so the programs share one copy.
set(_runtime_dlls)
if(MINGW)
  foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll} OUTPUT_VARIABLE _path
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${_path}")
      message(FATAL_ERROR "The compiler's ${_dll} is not where ${CMAKE_CXX_COMPILER} says")
    endif()
    get_filename_component(_path ${_path} REALPATH)
    list(APPEND _runtime_dlls ${_path})
  endforeach()
endif()

# The recordings' libraries (the kit reads and resamples recordings with them).
set(_library_dlls)
foreach(_name sndfile soxr)
  find_file(KORVANTA_${_name}_DLL NAMES lib${_name}.dll ${_name}.dll lib${_name}-1.dll PATH_SUFFIXES bin)
  if(KORVANTA_${_name}_DLL)
    list(APPEND _library_dlls ${KORVANTA_${_name}_DLL})
  endif()
endforeach()
# The tests' reference transform; not installed.
find_file(KORVANTA_fftw3f_DLL NAMES libfftw3f.dll libfftw3f-3.dll fftw3f.dll PATH_SUFFIXES bin)

set(_qt_dlls)
set(_qt_plugins)
if(KORVANTA_BUILD_GUI)
  # Qt's imported targets are seen only where Qt was looked for.
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport)
  find_package(Qt6 QUIET COMPONENTS Svg)
endif()
if(TARGET Qt6::Core)
  foreach(_module Core Gui Widgets PrintSupport Svg)
    if(TARGET Qt6::${_module})
      list(APPEND _qt_dlls $<TARGET_FILE:Qt6::${_module}>)
    endif()
  endforeach()
  # plugin target -> its folder under plugins/
  foreach(_plugin QWindowsIntegrationPlugin:platforms QWindowsVistaStylePlugin:styles
                  QWindowsPrinterSupportPlugin:printsupport QSvgIconPlugin:iconengines QSvgPlugin:imageformats)
    string(REPLACE ":" ";" _parts ${_plugin})
    list(GET _parts 0 _target)
    list(GET _parts 1 _folder)
    if(TARGET Qt6::${_target})
      list(APPEND _qt_plugins "${_folder}|$<TARGET_FILE:Qt6::${_target}>")
    endif()
  endforeach()
  # Qt's own dialogs in Danish ("Annuller", "Kig i:"): the build host's translation of the same Qt.
  find_file(KORVANTA_QTBASE_DA qtbase_da.qm
            PATHS /usr/share/qt6/translations ${QT6_INSTALL_PREFIX}/translations NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
endif()

set(_copy_commands)
foreach(_dll IN LISTS _runtime_dlls _library_dlls KORVANTA_fftw3f_DLL _qt_dlls)
  if(_dll)
    list(APPEND _copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_dll} ${_bin}/)
  endif()
endforeach()
foreach(_entry IN LISTS _qt_plugins)
  string(REPLACE "|" ";" _parts "${_entry}")
  list(GET _parts 0 _folder)
  list(GET _parts 1 _file)
  list(APPEND _copy_commands COMMAND ${CMAKE_COMMAND} -E make_directory ${_bin}/plugins/${_folder}
                             COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_file} ${_bin}/plugins/${_folder}/)
endforeach()
if(TARGET Qt6::Core)
  # Qt looks for its plugins and translations beside the program, not where it was built.
  set(_qt_conf ${CMAKE_BINARY_DIR}/qt.conf)
  file(WRITE ${_qt_conf} "[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n")
  list(APPEND _copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_qt_conf} ${_bin}/)
  if(KORVANTA_QTBASE_DA)
    list(APPEND _copy_commands COMMAND ${CMAKE_COMMAND} -E make_directory ${_bin}/translations
                               COMMAND ${CMAKE_COMMAND} -E copy_if_different ${KORVANTA_QTBASE_DA} ${_bin}/translations/)
  endif()
endif()
add_custom_target(korvanta-windows-runtime ALL ${_copy_commands} VERBATIM)

# The installed program: one folder, the way Windows programs lie in Program Files.
install(FILES ${_runtime_dlls} ${_library_dlls} DESTINATION .)
if(_qt_dlls)
  install(FILES ${_qt_dlls} ${_qt_conf} DESTINATION .)
  foreach(_entry IN LISTS _qt_plugins)
    string(REPLACE "|" ";" _parts "${_entry}")
    list(GET _parts 0 _folder)
    list(GET _parts 1 _file)
    install(FILES ${_file} DESTINATION plugins/${_folder})
  endforeach()
  if(KORVANTA_QTBASE_DA)
    install(FILES ${KORVANTA_QTBASE_DA} DESTINATION translations)
  endif()
endif()
foreach(_target korvanta korvanta-cli korvanta-sim orvelink)
  if(TARGET ${_target})
    install(TARGETS ${_target} RUNTIME DESTINATION . ARCHIVE DESTINATION lib COMPONENT devel EXCLUDE_FROM_ALL)
  endif()
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/mlist.fd ${CMAKE_SOURCE_DIR}/data/filters.fd
              ${CMAKE_SOURCE_DIR}/data/PresetFilters.fd DESTINATION .)
