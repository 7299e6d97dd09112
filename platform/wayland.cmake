# The Wayland backend of the Linux program: wayland-client, xdg-shell and EGL
# with desktop OpenGL. The protocol glue is generated here from the system's
# protocol descriptions, never kept in the tree.
find_package(PkgConfig REQUIRED)
pkg_check_modules(QUILLOMAR_WAYLAND REQUIRED IMPORTED_TARGET wayland-client wayland-egl egl)
pkg_get_variable(QUILLOMAR_WAYLAND_SCANNER wayland-scanner wayland_scanner)
find_program(QUILLOMAR_WAYLAND_SCANNER_PROGRAM NAMES wayland-scanner HINTS ${QUILLOMAR_WAYLAND_SCANNER} REQUIRED)
pkg_get_variable(QUILLOMAR_WAYLAND_PROTOCOLS wayland-protocols pkgdatadir)
if(NOT QUILLOMAR_WAYLAND_PROTOCOLS)
  set(QUILLOMAR_WAYLAND_PROTOCOLS /usr/share/wayland-protocols)
endif()

set(quillomar_wayland_generated ${CMAKE_BINARY_DIR}/wayland-protocols)
file(MAKE_DIRECTORY ${quillomar_wayland_generated})
set(quillomar_wayland_glue "")
foreach(protocol stable/xdg-shell/xdg-shell stable/viewporter/viewporter
    unstable/xdg-output/xdg-output-unstable-v1 staging/fractional-scale/fractional-scale-v1)
  get_filename_component(base ${protocol} NAME)
  set(xml ${QUILLOMAR_WAYLAND_PROTOCOLS}/${protocol}.xml)
  add_custom_command(OUTPUT ${quillomar_wayland_generated}/${base}-client-protocol.h
      ${quillomar_wayland_generated}/${base}-protocol.c
    COMMAND ${QUILLOMAR_WAYLAND_SCANNER_PROGRAM} client-header ${xml} ${quillomar_wayland_generated}/${base}-client-protocol.h
    COMMAND ${QUILLOMAR_WAYLAND_SCANNER_PROGRAM} private-code ${xml} ${quillomar_wayland_generated}/${base}-protocol.c
    DEPENDS ${xml} VERBATIM)
  list(APPEND quillomar_wayland_glue ${quillomar_wayland_generated}/${base}-client-protocol.h
    ${quillomar_wayland_generated}/${base}-protocol.c)
endforeach()

add_library(quillomar_wayland STATIC display_wayland.cpp input_wayland.cpp outputs_wayland.cpp surfaces_wayland.cpp
  egl_wayland.cpp
  window_system_wayland.cpp ${quillomar_wayland_glue})
# The generated glue is not ours to keep warning-free.
set_source_files_properties(${quillomar_wayland_glue} PROPERTIES COMPILE_OPTIONS -w)
target_include_directories(quillomar_wayland SYSTEM PRIVATE ${quillomar_wayland_generated})
# A static library passes these on to whatever links it.
target_link_libraries(quillomar_wayland PRIVATE PkgConfig::QUILLOMAR_WAYLAND dl)
target_link_libraries(quillomar_wayland PUBLIC quillomar_platform quillomar_base)
quillomar_layer(quillomar_wayland)
