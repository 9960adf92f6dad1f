# The browser build and the Emscripten toolchain go together: each without the other is a
# mistake made at configure time, told before anything builds.
if(EMSCRIPTEN AND NOT BRINECAST_WEB)
  message(FATAL_ERROR "Configured with Emscripten's toolchain: add -DBRINECAST_WEB=ON "
    "(scripts/web.sh does).")
endif()
if(BRINECAST_WEB AND NOT EMSCRIPTEN)
  message(FATAL_ERROR "BRINECAST_WEB needs Emscripten's toolchain: configure through emcmake "
    "(scripts/web.sh does).")
endif()
if(NOT BRINECAST_WEB)
  return()
endif()

if(NOT DEFINED ENV{NODE_PATH})
  message(WARNING "NODE_PATH is not set: emcc may not find its node modules "
    "(export NODE_PATH=/usr/share/nodejs).")
endif()
set(BRINECAST_HOST_BUILD "" CACHE PATH "The native build that made the data and host tools")
if(NOT IS_ABSOLUTE "${BRINECAST_HOST_BUILD}" OR NOT EXISTS "${BRINECAST_HOST_BUILD}/AppDir")
  message(FATAL_ERROR "BRINECAST_HOST_BUILD must name a native build folder whose data is built "
    "(scripts/web.sh makes one in build-web/host).")
endif()
# Only the simulator and the browser game are built here: no tests, benchmarks or packages.
set(BRINECAST_TESTS OFF CACHE BOOL "Build the tests" FORCE)
set(BRINECAST_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)
# The game throws and catches C++ exceptions.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
