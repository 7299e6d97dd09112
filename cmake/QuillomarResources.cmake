# One manifest, res/quillomar.rc, for both platforms. Windows links the compiled
# script into each program; Linux gets a generated table of the same bytes.
set(QUILLOMAR_RC ${CMAKE_SOURCE_DIR}/res/quillomar.rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUILLOMAR_RC})

# Sets OUT_ENTRIES to "TYPE;ID;FILE" triples for every embedded data resource.
function(quillomar_read_manifest out_entries)
  file(STRINGS ${QUILLOMAR_RC} lines REGEX "^[ \t]*[0-9]+[ \t]+(TEXTFILE|BITMAP)[ \t]+\"[^\"]+\"")
  set(entries)
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^[ \t]*([0-9]+)[ \t]+(TEXTFILE|BITMAP)[ \t]+\"([^\"]+)\"" _ "${line}")
    list(APPEND entries ${CMAKE_MATCH_2} ${CMAKE_MATCH_1} ${CMAKE_MATCH_3})
  endforeach()
  set(${out_entries} ${entries} PARENT_SCOPE)
endfunction()

# Gives TARGET (an executable) the embedded resources.
function(quillomar_add_resources target)
  if(WIN32)
    target_sources(${target} PRIVATE ${QUILLOMAR_RC})
  endif()
  target_link_libraries(${target} PRIVATE quillomar_res)
endfunction()
