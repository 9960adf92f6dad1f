# The browser build's libraries, built by scripts/web/libs.sh from Debian's source packages
# into one prefix, imported under the names the desktop build's packages give them.
set(BRINECAST_WEB_PREFIX "${CMAKE_SOURCE_DIR}/build-web/libs/prefix" CACHE PATH
  "Where scripts/web/libs.sh installed the WebAssembly libraries")

function(brinecast_web_import target file)
  set(path ${BRINECAST_WEB_PREFIX}/lib/${file})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${path} is missing: build the libraries with scripts/web.sh.")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${path}
    INTERFACE_INCLUDE_DIRECTORIES "${BRINECAST_WEB_PREFIX}/include;${ARGN}"
    INTERFACE_LINK_LIBRARIES "${BRINECAST_WEB_LINKS}")
endfunction()

set(BRINECAST_WEB_LINKS "")
brinecast_web_import(ZLIB::ZLIB libz.a)
set(BRINECAST_WEB_LINKS ZLIB::ZLIB)
brinecast_web_import(brinecast_web_freetype libfreetype.a ${BRINECAST_WEB_PREFIX}/include/freetype2)
set(BRINECAST_WEB_LINKS brinecast_web_freetype)
brinecast_web_import(brinecast_web_harfbuzz libharfbuzz.a ${BRINECAST_WEB_PREFIX}/include/harfbuzz)
set(BRINECAST_WEB_LINKS "")
brinecast_web_import(SDL2::SDL2 libSDL2.a ${BRINECAST_WEB_PREFIX}/include/SDL2)
set(BRINECAST_WEB_LINKS SDL2::SDL2 brinecast_web_harfbuzz brinecast_web_freetype)
brinecast_web_import(SDL2_ttf::SDL2_ttf libSDL2_ttf.a ${BRINECAST_WEB_PREFIX}/include/SDL2)
set(BRINECAST_WEB_LINKS "")
brinecast_web_import(PkgConfig::XMP libxmp.a)
# xmp.h includes emscripten.h inside its extern "C" block, where C++ templates cannot be:
# included first, its guard keeps the second include out.
set_target_properties(PkgConfig::XMP PROPERTIES INTERFACE_COMPILE_OPTIONS "SHELL:-include emscripten.h")
