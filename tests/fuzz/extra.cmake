# The tool tests in tests/engine run the archive tool, so it must be built first.
if(TARGET brinecast_tests_engine AND TARGET brinecast-dxg)
  add_dependencies(brinecast_tests_engine brinecast-dxg)
endif()

if(BRINECAST_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The reader and the picture code are compiled in again here so they carry the fuzzer's coverage probes;
  # the library copy stays uninstrumented for everything else.
  file(GLOB reader_sources ${CMAKE_SOURCE_DIR}/src/engine/Dxg*.cpp ${CMAKE_SOURCE_DIR}/src/engine/Dib*.cpp
    ${CMAKE_SOURCE_DIR}/src/engine/PictureCollection*.cpp ${CMAKE_SOURCE_DIR}/src/engine/PictureRotate.cpp)
  add_executable(brinecast_fuzz_dxg ${CMAKE_CURRENT_LIST_DIR}/dxg_fuzz.cpp ${reader_sources})
  target_compile_options(brinecast_fuzz_dxg PRIVATE -fsanitize=fuzzer)
  target_link_options(brinecast_fuzz_dxg PRIVATE -fsanitize=fuzzer)
  target_link_libraries(brinecast_fuzz_dxg PRIVATE brinecast_engine SDL2::SDL2)
  brinecast_warnings(brinecast_fuzz_dxg)
  # The seed corpus is a few hand-made archives; findings go to a scratch folder.
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_dxg_corpus)
  add_test(NAME fuzz_dxg
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      sh -c "mkdir -p '${corpus}' && exec '$<TARGET_FILE:brinecast_fuzz_dxg>' -max_total_time=60 -rss_limit_mb=1024 -artifact_prefix='${CMAKE_CURRENT_BINARY_DIR}/' '${corpus}' '${CMAKE_SOURCE_DIR}/tests/fixtures/dxg'")
  set_tests_properties(fuzz_dxg PROPERTIES LABELS fuzz TIMEOUT 180)
endif()

if(BRINECAST_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The record reader and the table's rules, compiled in again with the coverage probes.
  add_executable(brinecast_fuzz_config ${CMAKE_CURRENT_LIST_DIR}/config_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/src/storage/Config.cpp ${CMAKE_SOURCE_DIR}/src/storage/HighScores.cpp
    ${CMAKE_SOURCE_DIR}/src/storage/RecordMask.cpp)
  target_include_directories(brinecast_fuzz_config PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(brinecast_fuzz_config PRIVATE -fsanitize=fuzzer)
  target_link_options(brinecast_fuzz_config PRIVATE -fsanitize=fuzzer)
  brinecast_warnings(brinecast_fuzz_config)
  # No seeds: a record is 220 bytes of anything, and growing inputs reach it at once.
  set(config_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_config_corpus)
  add_test(NAME fuzz_config
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      sh -c "mkdir -p '${config_corpus}' && exec '$<TARGET_FILE:brinecast_fuzz_config>' -max_total_time=30 -max_len=512 -len_control=0 -rss_limit_mb=1024 -artifact_prefix='${CMAKE_CURRENT_BINARY_DIR}/config-' '${config_corpus}'")
  set_tests_properties(fuzz_config PROPERTIES LABELS fuzz TIMEOUT 120)
endif()

# The score server's payload reader, compiled in again with the fuzzer's probes.
if(BRINECAST_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND TARGET brinecast_scores)
  add_executable(brinecast_fuzz_payload ${CMAKE_CURRENT_LIST_DIR}/payload_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/tools/scores/PayloadDecoder.cpp ${CMAKE_SOURCE_DIR}/tools/scores/CodePage.cpp)
  target_include_directories(brinecast_fuzz_payload PRIVATE ${CMAKE_SOURCE_DIR}/tools)
  target_compile_options(brinecast_fuzz_payload PRIVATE -fsanitize=fuzzer)
  target_link_options(brinecast_fuzz_payload PRIVATE -fsanitize=fuzzer)
  target_link_libraries(brinecast_fuzz_payload PRIVATE brinecast_online)
  brinecast_warnings(brinecast_fuzz_payload)
  set(payload_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_payload_corpus)
  add_test(NAME fuzz_payload
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      sh -c "mkdir -p '${payload_corpus}' && exec '$<TARGET_FILE:brinecast_fuzz_payload>' -max_total_time=30 -max_len=512 -rss_limit_mb=1024 -artifact_prefix='${CMAKE_CURRENT_BINARY_DIR}/payload-' '${payload_corpus}'")
  set_tests_properties(fuzz_payload PROPERTIES LABELS fuzz TIMEOUT 120)
endif()

# The WAV header reader, compiled in again with the fuzzer's probes.
if(BRINECAST_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_executable(brinecast_fuzz_wave ${CMAKE_CURRENT_LIST_DIR}/wave_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/headless/WaveHeader.cpp)
  target_include_directories(brinecast_fuzz_wave PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(brinecast_fuzz_wave PRIVATE -fsanitize=fuzzer)
  target_link_options(brinecast_fuzz_wave PRIVATE -fsanitize=fuzzer)
  brinecast_warnings(brinecast_fuzz_wave)
  # One seed, written by the test: a 48-byte PCM file (mono, 8 bits, 1000 Hz, four samples).
  # Without it the fuzzer rarely finds a format the reader accepts.
  set(wave_seeds ${CMAKE_CURRENT_BINARY_DIR}/fuzz_wave_seeds)
  set(wave_seed "RIFF\\050\\0\\0\\0WAVEfmt \\020\\0\\0\\0\\001\\0\\001\\0\\350\\003\\0\\0\\350\\003\\0\\0\\001\\0\\010\\0data\\004\\0\\0\\0\\200\\200\\200\\200")
  set(wave_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_wave_corpus)
  add_test(NAME fuzz_wave
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      sh -c "mkdir -p '${wave_corpus}' '${wave_seeds}' && printf '${wave_seed}' > '${wave_seeds}/pcm.wav' && exec '$<TARGET_FILE:brinecast_fuzz_wave>' -max_total_time=30 -max_len=512 -rss_limit_mb=1024 -artifact_prefix='${CMAKE_CURRENT_BINARY_DIR}/wave-' '${wave_corpus}' '${wave_seeds}'")
  set_tests_properties(fuzz_wave PROPERTIES LABELS fuzz TIMEOUT 120)
endif()
