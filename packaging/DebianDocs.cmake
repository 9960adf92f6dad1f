# Run as a script at build time: the Debian copyright file with the licence text from
# LICENSE, and the compressed Debian changelog. Takes LICENSE, COPYRIGHT_IN, COPYRIGHT,
# CHANGELOG_IN, CHANGELOG_GZ and BRINECAST_DEB_VERSION.
file(READ "${LICENSE}" license)
# The licence's terms start after its title and copyright lines.
string(FIND "${license}" "Permission is hereby granted" start)
if(start LESS 0)
  message(FATAL_ERROR "${LICENSE}: no licence terms found")
endif()
string(SUBSTRING "${license}" ${start} -1 terms)
string(STRIP "${terms}" terms)
# A paragraph's lines are indented by one space, and blank lines are written as " .".
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
set(LICENSE_BODY " ${terms}")
configure_file("${COPYRIGHT_IN}" "${COPYRIGHT}" @ONLY)

configure_file("${CHANGELOG_IN}" "${CHANGELOG_GZ}.txt" @ONLY)
execute_process(COMMAND gzip -9nc "${CHANGELOG_GZ}.txt" OUTPUT_FILE "${CHANGELOG_GZ}"
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot compress ${CHANGELOG_GZ}")
endif()
file(REMOVE "${CHANGELOG_GZ}.txt")
