# Where `cmake --install` puts the program and what comes with it.
include(GNUInstallDirs)

# The icon in the hicolor theme, one picture drawn for each size.
foreach(size 16 24 32 48 64 256)
  install(FILES ${CMAKE_SOURCE_DIR}/res/icons/quillomar-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quillomar.png)
endforeach()
