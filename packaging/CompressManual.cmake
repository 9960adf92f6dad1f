# Run by CPack on its staged install: Debian ships manual pages compressed. Each package's
# files are staged in a folder of their own, so look at any depth.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER staged INCLUDE REGEX "/share/man/man[0-9]/[^/]+\\.[0-9]$")
foreach(page ${staged})
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${page}")
  endif()
endforeach()
