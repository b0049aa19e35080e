# The folders of src/ and which others each may include. The core folders
# are built one library per folder, linked only on the folders listed here,
# and a file that includes a header of any other folder fails the configure
# step and the `layering` test. Lowest first:
#   textio                   codec, line sink, safe saving, reading files
#   shell, browse, page      startup and quit, folders, the page frame and save
#   table, linkpage, textpage  the writers
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.22)
endif()
set(TABULINK_CORE_LAYERS textio shell browse page table linkpage textpage)
set(TABULINK_USES_textio)
set(TABULINK_USES_shell)
set(TABULINK_USES_browse textio)
set(TABULINK_USES_page textio)
set(TABULINK_USES_table page textio)
set(TABULINK_USES_linkpage page textio)
set(TABULINK_USES_textpage page textio)
# Outside the core: the window, the command line, the program.
set(TABULINK_USES_ui ${TABULINK_CORE_LAYERS})
set(TABULINK_USES_batch ${TABULINK_CORE_LAYERS})
set(TABULINK_USES_app ui ${TABULINK_CORE_LAYERS})

function(tabulink_check_layers src_dir)
  set(broken)
  foreach(dir ${TABULINK_CORE_LAYERS} ui batch app)
    file(GLOB files ${src_dir}/${dir}/*.cpp ${src_dir}/${dir}/*.h)
    foreach(file ${files})
      file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
      foreach(line ${includes})
        string(REGEX REPLACE "^[^\"]*\"([^\"/]*)/.*$" "\\1" used "${line}")
        if(NOT used STREQUAL dir AND NOT used IN_LIST TABULINK_USES_${dir})
          file(RELATIVE_PATH rel ${src_dir} ${file})
          string(STRIP "${line}" line)
          list(APPEND broken "  ${rel}: ${line}\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(broken)
    string(REPLACE ";" "" broken "${broken}")
    message(FATAL_ERROR "Includes across the layers (see cmake/Layers.cmake):\n${broken}")
  endif()
endfunction()

# cmake -DSRC_DIR=<src> -P cmake/Layers.cmake runs the check alone.
if(CMAKE_SCRIPT_MODE_FILE)
  get_filename_component(SRC_DIR ${SRC_DIR} ABSOLUTE)
  tabulink_check_layers(${SRC_DIR})
endif()
