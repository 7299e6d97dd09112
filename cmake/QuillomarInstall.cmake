# Where `cmake --install` puts the program and what comes with it.
include(GNUInstallDirs)
