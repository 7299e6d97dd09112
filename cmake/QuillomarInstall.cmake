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
  # The user unit for GNOME's idle time names the program where it is
  # installed, which only the install step knows (--prefix, the package's
  # /usr). systemd looks for user units in lib/systemd/user of /usr and
  # /usr/local, whatever the libdir.
  install(CODE "
    set(QUILLOMAR_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillomar\")
    set(unit \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/user/quillomar-idle.service\")
    message(STATUS \"Installing: \${unit}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/data/systemd/quillomar-idle.service.in\" \"\${unit}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${unit}\")")
  # The icon in the hicolor theme, one picture drawn for each size.
  foreach(size 16 24 32 48 64 256)
    install(FILES ${CMAKE_SOURCE_DIR}/res/icons/quillomar-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quillomar.png)
  endforeach()
endif()
