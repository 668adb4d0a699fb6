# korvane_export_folder(TARGET NAME): gives TARGET's users its own source folder, and nothing
# beside it, as NAME, so that "NAME/x.h" resolves only for code that links TARGET. The folder is
# reached through a link named NAME in an include root of its own in the build tree; a shared
# root over all the sources would let any layer include any other, linked or not.
function(korvane_export_folder target name)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
