# Release builds for the published packages: stripped, and rebuildable to the
# same bytes anywhere, so no path of the build machine and no build time may
# reach a binary. scripts/package.sh turns this on.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
  -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
add_link_options(-s)
if(WIN32)
  # Otherwise ld stamps the PE header with the time of linking.
  add_link_options(-Wl,--no-insert-timestamp)
endif()
