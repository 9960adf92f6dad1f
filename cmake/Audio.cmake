# Sound: the four effects are synthesised into WAV files (build/sounds/) and compiled
# into brinecast_media; the two music modules are written from the scores in
# assets/music/ into the game's Sound/ folder.
add_subdirectory(${CMAKE_SOURCE_DIR}/tools/sfx ${CMAKE_BINARY_DIR}/tools/sfx)
add_subdirectory(${CMAKE_SOURCE_DIR}/tools/xm ${CMAKE_BINARY_DIR}/tools/xm)

set(BRINECAST_SOUNDS_DIR ${CMAKE_BINARY_DIR}/sounds)
set(effect_names Up Poimal Level Over)
set(effect_files)
set(embed_list)
foreach(name ${effect_names})
  list(APPEND effect_files ${BRINECAST_SOUNDS_DIR}/${name}.wav)
  list(APPEND embed_list "${name}=${BRINECAST_SOUNDS_DIR}/${name}.wav")
endforeach()
add_custom_command(OUTPUT ${effect_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BRINECAST_SOUNDS_DIR}
  COMMAND brinecast-sfx ${BRINECAST_SOUNDS_DIR}
  DEPENDS brinecast-sfx
  COMMENT "Synthesising the sound effects" VERBATIM)

set(embedded_source ${CMAKE_BINARY_DIR}/generated/EmbeddedSoundData.cpp)
set(embed_script ${CMAKE_SOURCE_DIR}/tools/sfx/EmbedWaves.cmake)
add_custom_command(OUTPUT ${embedded_source}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embedded_source} "-DWAVES=${embed_list}" -P ${embed_script}
  DEPENDS ${effect_files} ${embed_script}
  COMMENT "Embedding the sound effects" VERBATIM)
target_sources(brinecast_media PRIVATE ${embedded_source})

set(music_files)
foreach(song 1 2)
  set(score ${CMAKE_SOURCE_DIR}/assets/music/${song}.score)
  set(module ${BRINECAST_APPDIR}/Sound/${song}.xm)
  add_custom_command(OUTPUT ${module}
    COMMAND brinecast-xm ${score} ${module}
    DEPENDS brinecast-xm ${score}
    COMMENT "Writing Sound/${song}.xm" VERBATIM)
  list(APPEND music_files ${module})
endforeach()

add_custom_target(brinecast_audio_data DEPENDS ${effect_files} ${embedded_source} ${music_files})
# The library lists the generated source too: build it only after the target above has
# made it, so the two never run the same rule at once.
add_dependencies(brinecast_media brinecast_audio_data)
