# Every source folder is a layer, and a target sees only the folders of the
# layers it links: its include root holds a link to its own folder alone, so
# an include that reaches up a layer does not compile.
function(quillomar_layer target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# The programs, tools, benchmarks and tests stand above every layer.
function(quillomar_top target)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
