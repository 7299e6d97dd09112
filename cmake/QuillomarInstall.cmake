# Where `cmake --install` puts the program and what comes with it.
include(GNUInstallDirs)

if(NOT WIN32)
  # Debian's XScreenSaver looks for its programs in libexec/xscreensaver; bin
  # is for starting it by hand.
  install(TARGETS quillomar RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
  install(TARGETS quillomar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/data/xscreensaver/quillomar.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
  # Desktop saver hosts (MATE and others) list the entries of this folder.
  install(FILES ${CMAKE_SOURCE_DIR}/data/applications/quillomar.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
  install(FILES ${CMAKE_SOURCE_DIR}/data/man/quillomar.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()
