# The Debian package: quillomar_<version>_amd64.deb.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillomar Software <${QUILLOMAR_SUPPORT_ADDRESS}>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${QUILLOMAR_SITE_HOST}/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "OpenGL screensaver of stars with glowing heads and fading trails
Coloured stars enter from the edges of the screen, cross it in straight
lines and leave at the opposite edge, each with a glowing head and a
fading trail. It runs under XScreenSaver, xsecurelock and the desktop
saver hosts that read screensaver desktop entries, or by hand; on GNOME
a user service, installed but not enabled, starts it on the idle time.")
# The libraries it links decide the dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The About window draws with the Liberation fonts and opens the web site
# with xdg-open; the saver runs without either.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
