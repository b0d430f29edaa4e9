# tesk_add_component(NAME RTClass SOURCES ... [LIBS ...] [OUTPUT_DIR dir])
# A component library: RTClass.so, exporting only _ComponentIdentify, with the support library
# compiled in. It goes to the staged component folder unless OUTPUT_DIR says otherwise (tests
# build their fixture components elsewhere).
function(tesk_add_component)
  cmake_parse_arguments(C "" "NAME;OUTPUT_DIR" "SOURCES;LIBS" ${ARGN})
  add_library(${C_NAME} SHARED ${C_SOURCES})
  target_link_libraries(${C_NAME} PRIVATE kivo_support ${C_LIBS})
  if(NOT C_OUTPUT_DIR)
    set(C_OUTPUT_DIR ${TESK_COMPONENT_DIR})
    # The staged core finds a new or rebuilt library by a fresh scan: the registry file it wrote
    # goes whenever a staged component is built.
    add_custom_command(TARGET ${C_NAME} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E rm -f ${TESK_KIVO_DIR}/kivoreg.db
      VERBATIM)
  endif()
  set_target_properties(${C_NAME} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${C_OUTPUT_DIR})
endfunction()
