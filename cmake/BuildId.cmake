# The build a recording names: the version and, in a git checkout, the commit. Replays are
# exact only on the code that recorded them, so another build's recordings are refused.
set(BRINECAST_BUILD_ID "${PROJECT_VERSION}")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS ${CMAKE_SOURCE_DIR}/.git)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=12 HEAD
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE commit
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed AND commit)
    string(APPEND BRINECAST_BUILD_ID "+${commit}")
  endif()
endif()
message(STATUS "Recordings name build ${BRINECAST_BUILD_ID}")
