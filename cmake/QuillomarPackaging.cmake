# Release packages, made by CPack: see scripts/package.sh.
set(CPACK_PACKAGE_NAME quillomar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(NOT WIN32)
  include(QuillomarPackageDeb OPTIONAL)
endif()
include(CPack)
