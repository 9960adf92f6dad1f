# cmake -DOUTPUT=file.cpp -DWAVES="Name=path;..." -P EmbedWaves.cmake
# Writes a C++ source holding each WAV file's bytes under its name.
set(body "")
set(table "")
set(index 0)
foreach(entry IN LISTS WAVES)
  string(REGEX MATCH "^([^=]+)=(.*)$" _ "${entry}")
  set(name "${CMAKE_MATCH_1}")
  file(READ "${CMAKE_MATCH_2}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  # 32 bytes a line: break the hex first, then turn each pair into a byte literal.
  string(REGEX REPLACE "(................................................................)" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const uint8_t kWave${index}[${size}] = {\n${bytes}};\n")
  string(APPEND table "    {\"${name}\", kWave${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp"
  "// Generated at build time from the sound effects' WAV files; do not edit.\n"
  "#include \"media/EmbeddedSoundTable.h\"\n\n"
  "namespace brinecast {\nnamespace {\n${body}}  // namespace\n\n"
  "const EmbeddedWaveEntry kEmbeddedWaves[] = {\n${table}};\n"
  "const size_t kEmbeddedWaveCount = ${index};\n\n}  // namespace brinecast\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
