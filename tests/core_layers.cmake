# Fails when a folder of the core library includes a header of a folder above
# it. The folders form layers, lowest first; each may include its own headers
# and those of the layers listed before it (stylesheet and tree stand side by
# side). An include cycle between folders always has one include that goes up,
# so this check also fails on any cycle.
cmake_minimum_required(VERSION 3.21)
set(layers core options tree stylesheet generator)
set(allowed_core core)
set(allowed_options core options)
set(allowed_tree core options tree)
set(allowed_stylesheet core options stylesheet)
set(allowed_generator core options tree stylesheet generator)
set(bad "")
foreach(dir IN LISTS layers)
  file(GLOB_RECURSE files ${SRC}/${dir}/*.h ${SRC}/${dir}/*.cpp)
  foreach(f IN LISTS files)
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" target "${line}")
      if(NOT target IN_LIST allowed_${dir})
        list(APPEND bad "${f}: ${dir} must not include ${target}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n" text)
  message(FATAL_ERROR "Includes against the layers (${layers}):\n${text}")
endif()
