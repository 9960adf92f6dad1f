# The browser game: the web platform library, the game linked for the page, and the site
# (build-web/site/) that the score server serves at /play/. Run with -P, this file assembles
# the site: content-hashed names, index.html pointing at them, .gz and .br beside big files.

if(CMAKE_SCRIPT_MODE_FILE)
  # Inputs: GAME_DIR (brinecast.js/.wasm/.data), PAGE_DIR, SITE_DIR, PREVIEW, BROTLI.
  file(REMOVE_RECURSE ${SITE_DIR})
  file(MAKE_DIRECTORY ${SITE_DIR})
  # Copies a file under name.<hash>.ext and says the new name in out.
  function(hashed source out)
    file(SHA256 ${source} sum)
    string(SUBSTRING ${sum} 0 16 sum)
    get_filename_component(stem ${source} NAME_WE)
    get_filename_component(ext ${source} LAST_EXT)
    set(name ${stem}.${sum}${ext})
    file(COPY_FILE ${source} ${SITE_DIR}/${name})
    set(${out} ${name} PARENT_SCOPE)
  endfunction()
  hashed(${GAME_DIR}/brinecast.js glue)
  hashed(${GAME_DIR}/brinecast.wasm wasm)
  hashed(${GAME_DIR}/brinecast.data data)
  hashed(${PAGE_DIR}/game.js script)
  hashed(${PAGE_DIR}/audio.js worklet)
  hashed(${PAGE_DIR}/game.css styles)
  file(READ ${PAGE_DIR}/index.html page)
  foreach(pair "GLUE;${glue}" "WASM;${wasm}" "DATA;${data}" "SCRIPT;${script}"
      "WORKLET;${worklet}" "STYLES;${styles}")
    list(GET pair 0 key)
    list(GET pair 1 value)
    string(REPLACE "@${key}@" "${value}" page "${page}")
  endforeach()
  file(WRITE ${SITE_DIR}/index.html "${page}")
  if(EXISTS "${PREVIEW}")
    file(COPY_FILE ${PREVIEW} ${SITE_DIR}/preview.png)
  else()
    message(WARNING "No picture of play at ${PREVIEW}: the site has no preview.png "
      "(build the host build's screenshots target).")
  endif()
  # Precompressed beside themselves, so the server sends them as they are.
  file(GLOB files ${SITE_DIR}/*.js ${SITE_DIR}/*.wasm ${SITE_DIR}/*.data ${SITE_DIR}/*.css
    ${SITE_DIR}/*.html)
  foreach(file ${files})
    file(SIZE ${file} size)
    if(size LESS 1024)
      continue()
    endif()
    execute_process(COMMAND gzip -9 -n -k -f ${file} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "gzip failed on ${file}")
    endif()
    if(BROTLI)
      execute_process(COMMAND ${BROTLI} -q 11 -k -f ${file} RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "brotli failed on ${file}")
      endif()
    endif()
  endforeach()
  return()
endif()

# The music library's header includes <emscripten.h> inside extern "C", where its C++
# templates cannot be: the header is seen first, outside.
set_source_files_properties(src/platform/XmpModule.cpp PROPERTIES
  COMPILE_OPTIONS "-include;emscripten.h")

# The web platform: its native pieces and the browser's calls, with the desktop's own drawing
# of the message box so the box looks the same in both.
brinecast_library(platform_web src/platform/web
  "PUBLIC;brinecast_platform;PRIVATE;SDL2::SDL2;SDL2_ttf::SDL2_ttf;PkgConfig::XMP")
brinecast_library_folder(platform_web src/platform/web/browser)
set(shared_box src/platform/sdl/MessageBoxOverlay.cpp src/platform/sdl/InformationIcon.cpp
  src/platform/sdl/FontLookup.cpp)
target_sources(brinecast_platform_web PRIVATE ${shared_box})
foreach(header MessageBoxOverlay.h MessageBoxLayout.h InformationIcon.h FontLookup.h GameName.h
    Letterbox.h)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/include/platform_web/platform/sdl)
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/platform/sdl/${header}
    ${CMAKE_BINARY_DIR}/include/platform_web/platform/sdl/${header} SYMBOLIC)
endforeach()

# The game for the page. Its own headers are shown as web/.
set(web_include ${CMAKE_BINARY_DIR}/include/web_entry)
file(GLOB web_headers ${CMAKE_SOURCE_DIR}/src/web/*.h)
file(MAKE_DIRECTORY ${web_include}/web)
foreach(header ${web_headers})
  get_filename_component(name ${header} NAME)
  file(CREATE_LINK ${header} ${web_include}/web/${name} SYMBOLIC)
endforeach()
file(GLOB web_sources ${CMAKE_SOURCE_DIR}/src/web/*.cpp)
set(BRINECAST_WEB_GAME_DIR ${CMAKE_BINARY_DIR}/game)
add_executable(brinecast_web ${web_sources})
target_include_directories(brinecast_web PRIVATE ${web_include})
target_link_libraries(brinecast_web PRIVATE brinecast_app brinecast_platform_web)
brinecast_warnings(brinecast_web)
set_target_properties(brinecast_web PROPERTIES OUTPUT_NAME brinecast SUFFIX .js
  RUNTIME_OUTPUT_DIRECTORY ${BRINECAST_WEB_GAME_DIR})
add_dependencies(brinecast_web brinecast_data)
if(TARGET brinecast_web_fonts)
  add_dependencies(brinecast_web brinecast_web_fonts)
endif()
# What the page calls. Named here, or the linker leaves out the platform's input file, which
# nothing in the game refers to.
set(page_entries _main _malloc _free _brinecast_key _brinecast_pointer _brinecast_touch
  _brinecast_focus _brinecast_pad_removed _brinecast_audio_running _brinecast_audio_render
  _brinecast_storage_failed _brinecast_fetch_done)
list(JOIN page_entries "','" page_entries)
set(page_entries "['${page_entries}']")
# The imports that sleep: the platform's wait and the storage's first load. Nothing is
# evaluated from text (DYNAMIC_EXECUTION=0), so the page's policy needs only wasm's own.
target_link_options(brinecast_web PRIVATE
  -O2
  -sASYNCIFY -sASYNCIFY_IMPORTS=['page_sleep','storage_load'] -sASYNCIFY_STACK_SIZE=131072
  -sMODULARIZE -sEXPORT_NAME=createBrinecast -sENVIRONMENT=web -sDYNAMIC_EXECUTION=0
  -sALLOW_MEMORY_GROWTH -sINITIAL_MEMORY=67108864 -sFORCE_FILESYSTEM -sEXIT_RUNTIME=0
  -sEXPORTED_FUNCTIONS=${page_entries}
  "SHELL:--preload-file ${BRINECAST_APPDIR}/Data@/game/Data"
  "SHELL:--preload-file ${BRINECAST_APPDIR}/Sound@/game/Sound")
if(DEFINED BRINECAST_FONT_DIR)
  target_link_options(brinecast_web PRIVATE
    "SHELL:--preload-file ${BRINECAST_FONT_DIR}@${BRINECAST_FONT_DIR}")
endif()

# The site: hashed names, precompressed copies, and a picture of play for the home page.
find_program(BRINECAST_BROTLI brotli)
set(page_dir ${CMAKE_SOURCE_DIR}/src/platform/web/page)
file(GLOB page_files ${page_dir}/*)
add_custom_target(brinecast_site ALL
  COMMAND ${CMAKE_COMMAND} -DGAME_DIR=${BRINECAST_WEB_GAME_DIR} -DPAGE_DIR=${page_dir}
    -DSITE_DIR=${CMAKE_BINARY_DIR}/site
    -DPREVIEW=${BRINECAST_HOST_BUILD}/packaging/screenshots/play.png
    -DBROTLI=${BRINECAST_BROTLI} -P ${CMAKE_CURRENT_LIST_FILE}
  DEPENDS brinecast_web ${page_files}
  COMMENT "The browser game's site in ${CMAKE_BINARY_DIR}/site" VERBATIM)
