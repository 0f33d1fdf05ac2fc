# tavir_layer(DIR [DEPENDENCY_LAYERS...] [LIBRARIES libs...])
# Builds src/DIR/*.cpp (plus src/DIR/<platform>/*.cpp) into the static library
# tavir_<DIR with / turned into _>, linked to the named layers and to the
# LIBRARIES given (system libraries, imported targets). A layer without
# sources yet becomes an interface library so that dependents still link.
function(tavir_layer dir)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LIBRARIES")
  string(REPLACE "/" "_" name "${dir}")
  set(target tavir_${name})
  file(GLOB sources CONFIGURE_DEPENDS
       "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp"
       "${PROJECT_SOURCE_DIR}/src/${dir}/${TAVIR_PLATFORM}/*.cpp")
  set(deps "")
  foreach(dep IN LISTS arg_UNPARSED_ARGUMENTS)
    string(REPLACE "/" "_" depname "${dep}")
    list(APPEND deps tavir_${depname})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${target} ${scope} ${deps} ${arg_LIBRARIES})
endfunction()
