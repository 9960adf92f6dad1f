# Installing the game the way Debian lays out games (cmake --install), its desktop files and
# icons, and the Debian package built from that layout (cpack -G DEB).
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
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(brinecast_icons ALL DEPENDS ${icon_pngs})
install(FILES ${icon_svg} RENAME ${BRINECAST_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

configure_file(${CMAKE_SOURCE_DIR}/packaging/brinecast.desktop.in
  ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/brinecast.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/brinecast.6.in
  ${CMAKE_BINARY_DIR}/packaging/brinecast.6 @ONLY)

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

install(TARGETS brinecast RUNTIME DESTINATION ${BRINECAST_INSTALL_GAMESDIR})
foreach(tool brinecast-dxg brinecast-scores)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
# Only the built data: a Config.cfg left in the build's game folder is a player's, not ours.
install(DIRECTORY ${BRINECAST_APPDIR}/Data ${BRINECAST_APPDIR}/Sound
  DESTINATION ${BRINECAST_INSTALL_GAMEDATADIR})
install(FILES ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${BRINECAST_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/packaging/brinecast.6
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package: the same layout under /usr, dependencies read off the linked libraries.
set(CPACK_PACKAGE_NAME brinecast)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade fishing game")
set(CPACK_PACKAGE_DESCRIPTION
  "Steer a boat along the surface, lower a hooked line and land the fish each level asks
for before its clock runs out. Objects in the water add or take away points and time,
and the best results go into a high-score table that can be sent to a score server.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://brinecast.org/)
set(CPACK_PACKAGE_CONTACT "Brinecast developers <games@brinecast.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
# Players get the programs without their debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/CompressManual.cmake)
# Fonts are found by name at run time, so no linked library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-comic-neue")
include(CPack)
