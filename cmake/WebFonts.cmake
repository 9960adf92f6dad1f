# The browser has no fontconfig: the faces the desktop finds through it are copied from this
# machine into build-web/fonts/ and found there by the bundled table (FontMatchTable.cpp).
set(BRINECAST_WEB_FONTS ComicNeue-Regular.otf ComicNeue-Bold.otf
  LiberationSans-Regular.ttf LiberationSans-Bold.ttf
  LiberationMono-Regular.ttf LiberationMono-Bold.ttf)
set(BRINECAST_FONT_DIR ${CMAKE_BINARY_DIR}/fonts)

# Uses the bundled lookup in `target` and copies the files it names.
function(brinecast_web_font_lookup target)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/platform/FontMatch.cpp
    PROPERTIES HEADER_FILE_ONLY ON)
  target_compile_definitions(${target} PRIVATE BRINECAST_FONT_DIR="${BRINECAST_FONT_DIR}")
  set(copies)
  foreach(name ${BRINECAST_WEB_FONTS})
    find_file(font_${name} ${name} PATHS /usr/share/fonts PATH_SUFFIXES
      opentype/comic-neue truetype/liberation NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT font_${name})
      message(FATAL_ERROR "Font ${name} not found under /usr/share/fonts: install "
        "fonts-comic-neue and fonts-liberation (scripts/deps.sh does).")
    endif()
    add_custom_command(OUTPUT ${BRINECAST_FONT_DIR}/${name}
      COMMAND ${CMAKE_COMMAND} -E copy ${font_${name}} ${BRINECAST_FONT_DIR}/${name}
      DEPENDS ${font_${name}} VERBATIM)
    list(APPEND copies ${BRINECAST_FONT_DIR}/${name})
  endforeach()
  add_custom_target(brinecast_web_fonts DEPENDS ${copies})
  add_dependencies(${target} brinecast_web_fonts)
endfunction()
