# The tool tests in tests/engine run the archive tool, so it must be built first.
if(TARGET brinecast_tests_engine AND TARGET brinecast-dxg)
  add_dependencies(brinecast_tests_engine brinecast-dxg)
endif()

# One libFuzzer run as a test: SOURCES are compiled in again so they carry the fuzzer's coverage
# probes (the library copies stay uninstrumented for everything else); it runs for SECONDS on a
# scratch corpus plus any SEEDS folders, RUN_FIRST being a shell step before it, and findings go
# to the build folder under PREFIX.
function(brinecast_fuzz name)
  cmake_parse_arguments(FUZZ "" "SECONDS;TIMEOUT;PREFIX;RUN_FIRST"
    "SOURCES;LIBRARIES;INCLUDES;OPTIONS;SEEDS" ${ARGN})
  set(target brinecast_fuzz_${name})
  add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/${name}_fuzz.cpp ${FUZZ_SOURCES})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${FUZZ_INCLUDES})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${target} PRIVATE ${FUZZ_LIBRARIES})
  brinecast_warnings(${target})
  # It may include what it links and the folders of the sources it compiles again.
  set(sees "")
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(source_dir ${source} DIRECTORY)
    foreach(root src tools)
      file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR}/${root} ${source_dir})
      if(NOT shown MATCHES "^[.][.]")
        list(APPEND sees ${shown})
      endif()
    endforeach()
  endforeach()
  brinecast_layer(${target} ${CMAKE_CURRENT_LIST_DIR}/${name}_fuzz.cpp "" SEES ${sees})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_${name}_corpus)
  set(first "mkdir -p '${corpus}'")
  if(FUZZ_RUN_FIRST)
    string(APPEND first " && ${FUZZ_RUN_FIRST}")
  endif()
  list(JOIN FUZZ_OPTIONS " " options)
  set(seeds "")
  foreach(seed ${FUZZ_SEEDS})
    string(APPEND seeds " '${seed}'")
  endforeach()
  add_test(NAME fuzz_${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      sh -c "${first} && exec '$<TARGET_FILE:${target}>' -max_total_time=${FUZZ_SECONDS} ${options} -rss_limit_mb=1024 -artifact_prefix='${CMAKE_CURRENT_BINARY_DIR}/${FUZZ_PREFIX}' '${corpus}'${seeds}")
  set_tests_properties(fuzz_${name} PROPERTIES LABELS fuzz TIMEOUT ${FUZZ_TIMEOUT})
endfunction()

if(BRINECAST_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The archive reader and the picture code; the seeds are a few hand-made archives.
  file(GLOB reader_sources ${CMAKE_SOURCE_DIR}/src/engine/Dxg*.cpp ${CMAKE_SOURCE_DIR}/src/engine/Dib*.cpp
    ${CMAKE_SOURCE_DIR}/src/engine/PictureCollection*.cpp ${CMAKE_SOURCE_DIR}/src/engine/PictureRotate.cpp)
  brinecast_fuzz(dxg SOURCES ${reader_sources} LIBRARIES brinecast_engine SDL2::SDL2
    SECONDS 60 TIMEOUT 180 SEEDS ${CMAKE_SOURCE_DIR}/tests/fixtures/dxg)

  # The options record and the table's rules. No seeds: a record is 220 bytes of anything, and
  # growing inputs reach it at once.
  brinecast_fuzz(config SOURCES ${CMAKE_SOURCE_DIR}/src/storage/Config.cpp
    ${CMAKE_SOURCE_DIR}/src/storage/HighScores.cpp ${CMAKE_SOURCE_DIR}/src/storage/RecordMask.cpp
    SECONDS 30 TIMEOUT 120 PREFIX config- OPTIONS -max_len=512 -len_control=0)

  # The score server's readers of what clients send: the payload, the token, the forwarded
  # address, and the request target as logged.
  if(TARGET brinecast_scores)
    brinecast_fuzz(payload SOURCES ${CMAKE_SOURCE_DIR}/src/protocol/Encoding.cpp
      ${CMAKE_SOURCE_DIR}/src/protocol/Payload.cpp ${CMAKE_SOURCE_DIR}/src/protocol/Requests.cpp
      ${CMAKE_SOURCE_DIR}/tools/scores/store/CodePage.cpp ${CMAKE_SOURCE_DIR}/tools/scores/store/TokenSigner.cpp
      ${CMAKE_SOURCE_DIR}/tools/scores/http/ClientAddress.cpp ${CMAKE_SOURCE_DIR}/tools/scores/http/RequestLog.cpp
      INCLUDES ${CMAKE_SOURCE_DIR}/tools LIBRARIES PkgConfig::LIBCRYPTO
      SECONDS 30 TIMEOUT 120 PREFIX payload- OPTIONS -max_len=512)
  endif()

  # What the score server reads around a recording: the replaying child's report, the
  # upload's token, and the upload's target as logged. The seeds are a report line as the
  # verifier writes it and an escaped token.
  if(TARGET brinecast_scores)
    brinecast_fuzz(upload SOURCES ${CMAKE_SOURCE_DIR}/tools/scores/verify/ReplayReport.cpp
      ${CMAKE_SOURCE_DIR}/tools/scores/store/CodePage.cpp ${CMAKE_SOURCE_DIR}/tools/scores/http/RequestLog.cpp
      ${CMAKE_SOURCE_DIR}/src/protocol/Requests.cpp
      INCLUDES ${CMAKE_SOURCE_DIR}/tools SECONDS 30 TIMEOUT 120 PREFIX upload-
      OPTIONS -max_len=1024 SEEDS ${CMAKE_CURRENT_LIST_DIR}/upload_seeds)
  endif()

  # Recordings: the file's reader, and a tape of anything replayed by the game itself (which
  # needs the built pictures). The replay library is compiled in again for its coverage.
  file(GLOB replay_sources ${CMAKE_SOURCE_DIR}/src/replay/*.cpp)
  brinecast_fuzz(replay SOURCES ${replay_sources}
    LIBRARIES brinecast_app brinecast_platform_headless PkgConfig::XMP ZLIB::ZLIB
    SECONDS 60 TIMEOUT 240 PREFIX replay- OPTIONS -max_len=4096 -timeout=20)
  target_compile_definitions(brinecast_fuzz_replay PRIVATE
    BRINECAST_BUILD="${BRINECAST_BUILD_ID}" BRINECAST_FUZZ_APPDIR="${BRINECAST_APPDIR}/")
  add_dependencies(brinecast_fuzz_replay brinecast_data)

  # The WAV header reader, with one seed written by the test: a 48-byte PCM file (mono, 8 bits,
  # 1000 Hz, four samples). Without it the fuzzer rarely finds a format the reader accepts.
  set(wave_seeds ${CMAKE_CURRENT_BINARY_DIR}/fuzz_wave_seeds)
  set(wave_seed "RIFF\\050\\0\\0\\0WAVEfmt \\020\\0\\0\\0\\001\\0\\001\\0\\350\\003\\0\\0\\350\\003\\0\\0\\001\\0\\010\\0data\\004\\0\\0\\0\\200\\200\\200\\200")
  brinecast_fuzz(wave SOURCES ${CMAKE_SOURCE_DIR}/src/platform/headless/WaveHeader.cpp
    SECONDS 30 TIMEOUT 120 PREFIX wave- OPTIONS -max_len=512 SEEDS ${wave_seeds}
    RUN_FIRST "mkdir -p '${wave_seeds}' && printf '${wave_seed}' > '${wave_seeds}/pcm.wav'")
endif()
