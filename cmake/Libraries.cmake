# One static library per source folder, from the .cpp files it holds. A folder without
# sources yet makes an interface library, so later folders can depend on it already.
#
# Each library shows only its own headers: they are linked into a folder of its own in the
# build tree (include/<library>/<folder>/), and that folder is its include path. A file can
# therefore include "engine/Canvas.h" only when its library links the engine, so an include
# that runs up or sideways fails to compile.
function(brinecast_library name dir deps)
  set(target brinecast_${name})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  string(REGEX REPLACE "^src/" "" shown ${dir})
  set(include_root ${CMAKE_BINARY_DIR}/include/${name})
  file(REMOVE_RECURSE ${include_root})
  file(MAKE_DIRECTORY ${include_root}/${shown})
  foreach(header ${headers})
    get_filename_component(file ${header} NAME)
    file(CREATE_LINK ${header} ${include_root}/${shown}/${file} SYMBOLIC)
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${include_root})
    target_link_libraries(${target} ${deps})
    brinecast_warnings(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${include_root})
    target_link_libraries(${target} INTERFACE ${deps})
  endif()
endfunction()

# A subfolder whose files belong to a library already made: its sources join the library
# and its headers are shown under their own path (src/app/screens/ as app/screens/).
function(brinecast_library_folder name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  string(REGEX REPLACE "^src/" "" shown ${dir})
  set(include_dir ${CMAKE_BINARY_DIR}/include/${name}/${shown})
  file(MAKE_DIRECTORY ${include_dir})
  foreach(header ${headers})
    get_filename_component(file ${header} NAME)
    file(CREATE_LINK ${header} ${include_dir}/${file} SYMBOLIC)
  endforeach()
  target_sources(brinecast_${name} PRIVATE ${sources})
endfunction()
