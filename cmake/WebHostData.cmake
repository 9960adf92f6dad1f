# The data of the browser build comes from the native host build, whose tools ran there:
# the game's folder (pictures and music) and the synthesised sound effects' source.
function(brinecast_web_host_data)
  set(embedded ${BRINECAST_HOST_BUILD}/generated/EmbeddedSoundData.cpp)
  foreach(needed ${embedded} ${BRINECAST_APPDIR}/Data/MenuImgs.dxg
      ${BRINECAST_APPDIR}/Data/GameImgs.dxg ${BRINECAST_APPDIR}/Sound/1.xm)
    if(NOT EXISTS ${needed})
      message(FATAL_ERROR "${needed} is missing: build the host build's data first "
        "(cmake --build ${BRINECAST_HOST_BUILD} --target brinecast_data).")
    endif()
  endforeach()
  target_sources(brinecast_media PRIVATE ${embedded})
  # Targets the desktop build has, so rules written for both find them.
  add_custom_target(brinecast_data)
endfunction()
