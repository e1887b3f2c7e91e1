# The program is built as layers, each a static library of one folder:
#
#   platform <- widgets <- settings <- viewing <- printing <- install <- app
#
# A layer may include its own headers and those of the layers below it, never those above. The
# build enforces it: a layer is compiled with an include folder of its own that holds links to
# exactly the folders it may use, and libraries carry no include path up to the layers that link
# them. An #include "app/..." in printing/ then fails with "No such file or directory".

add_library(glyphera_warnings INTERFACE)
target_compile_options(glyphera_warnings INTERFACE -Wall -Wextra -Wpedantic)

# glyphera_include_root(TARGET folder...) lets TARGET include "<folder>/X.h" for each folder named.
function(glyphera_include_root target)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(folder ${ARGN})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE ${root})
endfunction()

# glyphera_layer(NAME USES folder... LINKS target... SOURCES file...) builds glyphera_NAME from
# the folder NAME. USES names every folder below it that it may include; LINKS the libraries of
# the layers right below it.
function(glyphera_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "USES;LINKS;SOURCES")
  add_library(glyphera_${name} STATIC ${LAYER_SOURCES})
  glyphera_include_root(glyphera_${name} ${name} ${LAYER_USES})
  target_link_libraries(glyphera_${name} PUBLIC ${LAYER_LINKS} PRIVATE glyphera_warnings)
endfunction()
