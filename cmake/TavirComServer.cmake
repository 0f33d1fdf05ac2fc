# An in-process COM server DLL built from a stand-in's layer library, for
# tests/win to register in its Wine prefix. The .def names the exports
# undecorated; i686 decorates stdcall names, hence the fix-up.
function(tavir_add_com_server target output_name layer_library)
  add_library(${target} SHARED ${ARGN})
  target_link_libraries(${target} PRIVATE ${layer_library})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${output_name})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
  if(TARGET test_win)
    add_dependencies(test_win ${target})
  endif()
endfunction()
