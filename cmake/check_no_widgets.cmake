# Fails when BINARY needs Qt's widget (or Gui) library: talvex-mem runs where no display is.
#   cmake -DBINARY=<path> -P check_no_widgets.cmake
cmake_minimum_required(VERSION 3.25)
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${BINARY}" RESOLVED_DEPENDENCIES_VAR found
     UNRESOLVED_DEPENDENCIES_VAR missing)
foreach(library IN LISTS found missing)
  if(library MATCHES "libQt6(Widgets|Gui)")
    message(FATAL_ERROR "${BINARY} needs ${library}: the command line must not link Qt Widgets or Gui")
  endif()
endforeach()
