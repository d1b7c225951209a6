# Libraries loaded on the first call into them rather than at process start, so that the program
# reaches its window as soon as a bare window does. startdeck_delay_load(NAME DLL) makes the
# interface library startdeck_delayed_NAME, which a target links instead of NAME:
#  - MSVC: the normal import library, /DELAYLOAD:DLL and delayimp.lib;
#  - mingw-w64: a delay-import library made by dlltool from cmake/delayload/NAME.def (the entries
#    the program calls), then the normal import library for any other entry.
# The library's entries must not be called where a failure to load it cannot be afforded: a missing
# library raises an exception at the first call.
function(startdeck_delay_load name dll)
  set(_target startdeck_delayed_${name})
  add_library(${_target} INTERFACE)
  if(MSVC)
    target_link_libraries(${_target} INTERFACE ${name} delayimp)
    target_link_options(${_target} INTERFACE /DELAYLOAD:${dll})
  elseif(MINGW)
    set(_def ${CMAKE_SOURCE_DIR}/cmake/delayload/${name}.def)
    set(_archive ${CMAKE_BINARY_DIR}/delayload/lib${name}_delayed.a)
    add_custom_command(OUTPUT ${_archive}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
      COMMAND ${CMAKE_DLLTOOL} --input-def ${_def} --dllname ${dll} --output-delaylib ${_archive}
      DEPENDS ${_def}
      VERBATIM)
    add_custom_target(${_target}_archive DEPENDS ${_archive})
    add_dependencies(${_target} ${_target}_archive)
    target_link_libraries(${_target} INTERFACE ${_archive} ${name})
  else()
    target_link_libraries(${_target} INTERFACE ${name})
  endif()
endfunction()
