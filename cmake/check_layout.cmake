# Fails when a file includes a header from a folder its own folder may not depend on. The
# folders and their arrows are the ones docs/architecture.md's layout table draws; keep the two together.
#   cmake -DSOURCE_DIR=<tree> -P check_layout.cmake
# Local includes ("x.h") resolve against the including file's folder, the others against the
# tree's root, as the compiler finds them.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

# Folder -> the folders it may include from (besides itself). The more specific folder comes
# first so that radio/window is not taken for radio.
set(areas state platform/widgets platform link datafile radio/window radio memory/window memory channels
    editor/window editor startup/windows startup app cli sim rigserver server)
set(allowed_state "")
set(allowed_platform "")
set(allowed_platform/widgets platform)
set(allowed_link state platform)
set(allowed_datafile state platform link)
set(allowed_radio state platform link)
set(allowed_memory state platform link datafile radio)
set(allowed_startup state platform link datafile radio)
set(windows_may state platform platform/widgets datafile radio radio/window memory memory/window startup startup/windows
    editor/window)
set(allowed_radio/window ${windows_may})
set(allowed_memory/window ${windows_may})
# The two main windows write their fields from what the link reads: its values, the texts of
# them, and the listener it tells them through. Nothing that sends.
set(window_reads link/readings.h link/link_listener.h link/format.h link/radio_model.h)
set(allowed_files_radio/window ${window_reads})
set(allowed_files_memory/window ${window_reads})
set(allowed_startup/windows ${windows_may})
# The Channel Editor: its model over the data file's lines, and its window.
set(allowed_editor state platform link datafile channels memory)
set(allowed_editor/window ${windows_may} editor channels)
set(allowed_app ${areas})
set(allowed_sim "")
# Hamlib's network rig protocol reads the radio's limits and nothing else of the program.
set(allowed_rigserver link)
set(allowed_server state platform link rigserver)
# The command line builds the program core without windows: of app/ only the program object.
set(allowed_cli state platform link datafile radio memory startup channels)
set(allowed_files_cli app/program.h)
# Folders that must never see a widget, whatever header brings it: Qt's widget headers by name.
set(no_widgets cli)
set(widget_header_pattern "^(QtWidgets/.*|QApplication|QWidget|QMainWindow|QDialog|QMessageBox|QInputDialog|QFileDialog|QLabel|QPushButton|QLineEdit|QGuiApplication|QtGui/.*)$")
# The list conversions read and write data-file lines: no operation, no window, no serial line.
set(allowed_channels link datafile)
# Values at the bottom, texts at the top: these folders read, keep and send values, and name no
# window's field (Text1 ...) or caption (AutoStatusCaption); the windows word what they hold. A
# window folder inside one is an area of its own, so its fields stay its business.
set(no_window_fields state link radio startup memory)
# A field's number may lead a longer name (Text1_Change): the name is still the control's.
set(window_field_patterns "(^|[^A-Za-z0-9_])(Text[0-9]+)([^0-9]|$)" "(^|[^A-Za-z0-9_])([A-Za-z0-9_]*Caption)([^A-Za-z0-9_]|$)")

function(area_of path out)
  foreach(area IN LISTS areas)
    string(LENGTH "${area}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    if(head STREQUAL "${area}/")
      set(${out} "${area}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

set(violations "")
foreach(area IN LISTS areas)
  file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${area}/*.h" "${SOURCE_DIR}/${area}/*.cpp")
  foreach(source IN LISTS sources)
    area_of("${source}" own)
    if(NOT own STREQUAL area)
      continue()  # belongs to a more specific folder, checked there
    endif()
    get_filename_component(folder "${source}" DIRECTORY)
    if(own IN_LIST no_widgets)
      file(STRINGS "${SOURCE_DIR}/${source}" system_lines REGEX "^[ \t]*#[ \t]*include[ \t]*<")
      foreach(line IN LISTS system_lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>.*$" "\\1" header "${line}")
        if(header MATCHES "${widget_header_pattern}")
          list(APPEND violations "${source}: includes <${header}> (${own}/ links no Qt Widgets)")
        endif()
      endforeach()
    endif()
    if(own IN_LIST no_window_fields)
      foreach(pattern IN LISTS window_field_patterns)
        file(STRINGS "${SOURCE_DIR}/${source}" field_lines REGEX "${pattern}")
        foreach(line IN LISTS field_lines)
          string(REGEX MATCH "${pattern}" found "${line}")
          string(REGEX REPLACE "${pattern}" "\\2" name "${found}")
          list(APPEND violations "${source}: names the window field ${name} (${own}/ keeps values; a window words them)")
        endforeach()
      endforeach()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
      if(EXISTS "${SOURCE_DIR}/${folder}/${header}")
        get_filename_component(target "${folder}/${header}" ABSOLUTE BASE_DIR "/")
        string(SUBSTRING "${target}" 1 -1 target)
      else()
        set(target "${header}")
      endif()
      area_of("${target}" theirs)
      if(theirs STREQUAL "" OR theirs STREQUAL own)
        continue()
      endif()
      if(theirs IN_LIST allowed_${own} OR target IN_LIST allowed_files_${own})
        continue()
      endif()
      list(APPEND violations "${source}: includes ${target} (${own}/ may not depend on ${theirs}/)")
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Forbidden includes or names:\n  ${text}")
endif()
