# Installing the game the way Debian lays out games (cmake --install), its desktop files and
# icons, the score server and the archive tool, and the Debian packages built from that
# layout (cpack -G DEB), one for each of the three, and the browser game's when it is given.
include(GNUInstallDirs)

set(BRINECAST_ID org.brinecast.Brinecast)
set(BRINECAST_INSTALL_GAMESDIR games CACHE STRING "Where the game's executable is installed")
set(BRINECAST_INSTALL_GAMEDATADIR ${CMAKE_INSTALL_DATADIR}/games/brinecast
  CACHE STRING "Where the game's Data/ and Sound/ are installed")

# The game finds its installed data relative to itself, so a moved prefix still plays.
cmake_path(ABSOLUTE_PATH BRINECAST_INSTALL_GAMESDIR BASE_DIRECTORY /prefix OUTPUT_VARIABLE games_abs)
cmake_path(ABSOLUTE_PATH BRINECAST_INSTALL_GAMEDATADIR BASE_DIRECTORY /prefix
  OUTPUT_VARIABLE data_abs)
cmake_path(RELATIVE_PATH data_abs BASE_DIRECTORY ${games_abs} OUTPUT_VARIABLE data_from_games)
target_compile_definitions(brinecast PRIVATE
  BRINECAST_INSTALLED_DATA="${data_from_games}"
  BRINECAST_VERSION="${PROJECT_VERSION}")

# Icons: the scalable picture as drawn, and the pixel sizes desktops ask for, rasterised here.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_svg ${CMAKE_SOURCE_DIR}/packaging/brinecast.svg)
set(icon_dir ${CMAKE_BINARY_DIR}/packaging/icons)
set(icon_pngs)
foreach(size 48 128 256)
  set(png ${icon_dir}/${size}x${size}/${BRINECAST_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rasterising the ${size} px icon" VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    COMPONENT game)
endforeach()
add_custom_target(brinecast_icons ALL DEPENDS ${icon_pngs})
install(FILES ${icon_svg} RENAME ${BRINECAST_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT game)

configure_file(${CMAKE_SOURCE_DIR}/packaging/brinecast.desktop.in
  ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/brinecast.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/brinecast.6.in
  ${CMAKE_BINARY_DIR}/packaging/brinecast.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/brinecast-dxg.1.in
  ${CMAKE_BINARY_DIR}/packaging/brinecast-dxg.1 @ONLY)

# The software centre's screenshots, made by the simulator from the game's own code, to be
# published where the metainfo says: cmake --build build --target screenshots
if(TARGET brinecast-sim)
  set(shots ${CMAKE_BINARY_DIR}/packaging/screenshots)
  add_custom_target(screenshots
    COMMAND ${CMAKE_COMMAND} -E make_directory ${shots}
    COMMAND ${CMAKE_COMMAND} -E chdir ${shots}
      $<TARGET_FILE:brinecast-sim> --seed 7 ${CMAKE_SOURCE_DIR}/packaging/screenshots.sim
    DEPENDS brinecast-sim brinecast_data
    COMMENT "Screenshots in ${shots}" VERBATIM)
endif()

# Three packages: the game with its data, the score server, and the archive tool, so a
# player's system gets none of the server's or the tool's libraries.
install(TARGETS brinecast RUNTIME DESTINATION ${BRINECAST_INSTALL_GAMESDIR} COMPONENT game)
# The replayer the score server runs to prove scores: the game's code, so the game's package.
if(TARGET brinecast-replay)
  install(TARGETS brinecast-replay RUNTIME DESTINATION ${BRINECAST_INSTALL_GAMESDIR} COMPONENT game)
  install(FILES ${CMAKE_SOURCE_DIR}/tools/scores/replay/brinecast-replay.6
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
endif()
# Only the built data: a Config.cfg left in the build's game folder is a player's, not ours.
install(DIRECTORY ${BRINECAST_APPDIR}/Data ${BRINECAST_APPDIR}/Sound
  DESTINATION ${BRINECAST_INSTALL_GAMEDATADIR} COMPONENT game)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)
install(FILES ${CMAKE_BINARY_DIR}/packaging/brinecast.6
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)

set(scores_dir ${CMAKE_SOURCE_DIR}/tools/scores)
if(TARGET brinecast-scores)
  install(TARGETS brinecast-scores RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT scores)
  # The unit goes where Debian's systemd units go, /usr/lib/systemd/system. Checked when
  # installing, not when configuring, so a build made before they were written takes them.
  install(FILES ${scores_dir}/brinecast-scores.service ${scores_dir}/brinecast-scores@.service
    DESTINATION lib/systemd/system COMPONENT scores OPTIONAL)
  install(FILES ${scores_dir}/brinecast-scores.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT scores OPTIONAL)
endif()
if(TARGET brinecast-dxg)
  install(TARGETS brinecast-dxg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT dxg)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/brinecast-dxg.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT dxg)
endif()

# The browser game's built site, when the build is given one (its scripts/web.sh makes
# build-web/site): served by the score server at /play/, so a package of its own that any
# machine can take. Without it no web package is made.
set(BRINECAST_WEB_SITE "" CACHE PATH "A built browser game's site folder to package as brinecast-web")
set(BRINECAST_INSTALL_WEBDIR ${CMAKE_INSTALL_DATADIR}/brinecast-web
  CACHE STRING "Where the browser game's site is installed (the score server looks there)")
if(BRINECAST_WEB_SITE)
  if(NOT EXISTS ${BRINECAST_WEB_SITE}/index.html)
    message(FATAL_ERROR "BRINECAST_WEB_SITE=${BRINECAST_WEB_SITE} holds no index.html")
  endif()
  install(DIRECTORY ${BRINECAST_WEB_SITE}/ DESTINATION ${BRINECAST_INSTALL_WEBDIR} COMPONENT web
    PATTERN ".*" EXCLUDE)
endif()

# Each package carries the licence as a Debian copyright file and the Debian changelog.
set(BRINECAST_DEB_RELEASE 1)
set(BRINECAST_DEB_VERSION ${PROJECT_VERSION}-${BRINECAST_DEB_RELEASE})
set(copyright ${CMAKE_BINARY_DIR}/packaging/copyright)
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(OUTPUT ${copyright} ${changelog}
  COMMAND ${CMAKE_COMMAND} -DLICENSE=${CMAKE_SOURCE_DIR}/LICENSE
    -DCOPYRIGHT_IN=${CMAKE_SOURCE_DIR}/packaging/copyright.in -DCOPYRIGHT=${copyright}
    -DCHANGELOG_IN=${CMAKE_SOURCE_DIR}/packaging/changelog.in -DCHANGELOG_GZ=${changelog}
    -DBRINECAST_DEB_VERSION=${BRINECAST_DEB_VERSION}
    -P ${CMAKE_SOURCE_DIR}/packaging/DebianDocs.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/packaging/copyright.in
    ${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_SOURCE_DIR}/packaging/DebianDocs.cmake
  COMMENT "Debian copyright file and changelog" VERBATIM)
add_custom_target(brinecast_debian_docs ALL DEPENDS ${copyright} ${changelog})
set(components game scores dxg)
set(component_packages brinecast brinecast-scores brinecast-dxg)
if(BRINECAST_WEB_SITE)
  list(APPEND components web)
  list(APPEND component_packages brinecast-web)
endif()
foreach(component package IN ZIP_LISTS components component_packages)
  install(FILES ${copyright} ${changelog}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

# The Debian packages: the same layout under /usr, one package a component, dependencies
# read off the libraries each package's programs link.
set(CPACK_PACKAGE_NAME brinecast)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL https://brinecast.org/)
set(CPACK_PACKAGE_CONTACT "Brinecast developers <games@brinecast.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
# Players get the programs without their debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${BRINECAST_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/CompressManual.cmake)

# Each description's first line is the package's summary.
set(CPACK_DEBIAN_GAME_PACKAGE_NAME brinecast)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_DESCRIPTION "arcade fishing game
Steer a boat along the surface, lower a hooked line and land the fish each
level asks for before its clock runs out. Objects in the water add or take
away points and time, and the best results go into a high-score table that
can be sent to a score server.")
# Fonts are found by name at run time, so no linked library names them.
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "fonts-liberation, fonts-comic-neue")

set(CPACK_DEBIAN_SCORES_PACKAGE_NAME brinecast-scores)
# Only a package that holds a game may be in the games section.
set(CPACK_DEBIAN_SCORES_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SCORES_DESCRIPTION "score server for the Brinecast fishing game
An HTTP server that receives the results Brinecast players send and shows the
world's high-score table as a web page. It replays the recording the game
sends with each score and marks the scores it proves. Scores are kept in
SQLite, or in PostgreSQL when several servers share one table. A systemd unit
runs it as a service.")
# Replaying recordings takes the game's replayer and data; without them the server serves
# scores only.
set(CPACK_DEBIAN_SCORES_PACKAGE_RECOMMENDS "brinecast (= ${BRINECAST_DEB_VERSION})")
if(BRINECAST_WEB_SITE)
  # The server hands out the browser game when this package is there.
  string(APPEND CPACK_DEBIAN_SCORES_PACKAGE_RECOMMENDS ", brinecast-web (= ${BRINECAST_DEB_VERSION})")
  set(CPACK_DEBIAN_WEB_PACKAGE_NAME brinecast-web)
  set(CPACK_DEBIAN_WEB_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_WEB_PACKAGE_ARCHITECTURE all)
  set(CPACK_DEBIAN_WEB_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_DEBIAN_WEB_DESCRIPTION "Brinecast fishing game for the browser
The whole Brinecast game built for WebAssembly: its page, script, pictures,
music and sounds, precompressed. The Brinecast score server serves it at
/play/, so players can play in their browser and watch proven games.")
endif()

set(CPACK_DEBIAN_DXG_PACKAGE_NAME brinecast-dxg)
set(CPACK_DEBIAN_DXG_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_DXG_DESCRIPTION "image archive tool for the Brinecast fishing game
Lists, extracts and packs the image archives that hold Brinecast's pictures:
extracted pictures are written as PNG files, and new archives are packed from
SVG or PNG pictures named in a manifest.")
include(CPack)
