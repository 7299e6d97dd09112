# GLFW 3.3: Debian's library on Linux; on Windows GLFW 3.3.8 built here from
# Debian's glfw3 source package (scripts/fetch-glfw-source.sh unpacks it).
if(WIN32)
  set(QUILLOMAR_GLFW_SOURCE "$ENV{HOME}/.cache/quillomar/glfw-3.3.8" CACHE PATH "Unpacked GLFW 3.3.8 source")
  if(NOT EXISTS ${QUILLOMAR_GLFW_SOURCE}/include/GLFW/glfw3.h)
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-glfw-source.sh ${QUILLOMAR_GLFW_SOURCE}
      RESULT_VARIABLE fetch_result)
    if(NOT fetch_result EQUAL 0)
      message(FATAL_ERROR "GLFW source not found at ${QUILLOMAR_GLFW_SOURCE}; run scripts/fetch-glfw-source.sh")
    endif()
  endif()
  set(GLFW_BUILD_EXAMPLES OFF CACHE BOOL "" FORCE)
  set(GLFW_BUILD_TESTS OFF CACHE BOOL "" FORCE)
  set(GLFW_BUILD_DOCS OFF CACHE BOOL "" FORCE)
  set(GLFW_INSTALL OFF CACHE BOOL "" FORCE)
  set(BUILD_SHARED_LIBS OFF CACHE BOOL "" FORCE)
  if(QUILLOMAR_RELEASE)
    add_compile_options(-ffile-prefix-map=${QUILLOMAR_GLFW_SOURCE}=glfw-3.3.8)
  endif()
  add_subdirectory(${QUILLOMAR_GLFW_SOURCE} ${CMAKE_BINARY_DIR}/glfw EXCLUDE_FROM_ALL)
  # GLFW is not ours to keep warning-free; our own additions to it are.
  target_compile_options(glfw PRIVATE -w)
  set(QUILLOMAR_GLFW_INTERNAL ${QUILLOMAR_GLFW_SOURCE}/src ${CMAKE_BINARY_DIR}/glfw/src)

  # Adopting an existing window needs GLFW's internal records, so that code is
  # compiled into GLFW, with our warnings. GLFW's headers are not ours to fix.
  add_library(quillomar_glfw_adopt OBJECT ${CMAKE_SOURCE_DIR}/app/glfw_adopt_win32.c)
  target_compile_definitions(quillomar_glfw_adopt PRIVATE _GLFW_USE_CONFIG_H UNICODE _UNICODE)
  target_include_directories(quillomar_glfw_adopt SYSTEM PRIVATE ${QUILLOMAR_GLFW_INTERNAL}
    ${QUILLOMAR_GLFW_SOURCE}/include)
  target_include_directories(quillomar_glfw_adopt PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(quillomar_glfw_adopt PRIVATE -Wall -Wextra -Werror)
  target_sources(glfw PRIVATE $<TARGET_OBJECTS:quillomar_glfw_adopt>)
else()
  find_package(glfw3 3.3 REQUIRED)
endif()
