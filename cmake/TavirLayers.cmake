# tavir_layer(DIR [DEPENDENCY_LAYERS...])
# Builds src/DIR/*.cpp (plus src/DIR/<platform>/*.cpp) into the static library
# tavir_<DIR with / turned into _>. A layer without sources yet becomes an
# interface library so that dependents still link.
function(tavir_layer dir)
  string(REPLACE "/" "_" name "${dir}")
  set(target tavir_${name})
  file(GLOB sources CONFIGURE_DEPENDS
       "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp"
       "${PROJECT_SOURCE_DIR}/src/${dir}/${TAVIR_PLATFORM}/*.cpp")
  set(deps "")
  foreach(dep IN LISTS ARGN)
    string(REPLACE "/" "_" depname "${dep}")
    list(APPEND deps tavir_${depname})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} PUBLIC ${deps})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${deps})
  endif()
endfunction()
