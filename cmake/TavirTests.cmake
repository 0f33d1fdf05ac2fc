# Test support: GoogleTest from the system natively; in the cross builds the
# googletest sources that Debian ships (/usr/src/googletest) are compiled with
# the cross compiler, and CTest runs the test programs under Wine through
# scripts/run-under-wine.sh, which judges the run by GoogleTest's own summary.

if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    # googletest's own sources are not ours to keep warning-free.
    foreach(t gtest gtest_main)
      target_compile_options(${t} PRIVATE -Wno-error)
    endforeach()
  endif()
  set(TAVIR_GTEST_LIBS gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(TAVIR_GTEST_LIBS GTest::gtest GTest::gtest_main)
endif()

# tavir_test(DIR LIBS...): tests/DIR/*.cpp become the program test_<DIR>.
function(tavir_test dir)
  string(REPLACE "/" "_" name "${dir}")
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(target test_${name})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${target} PRIVATE ${ARGN} ${TAVIR_GTEST_LIBS})
  target_compile_definitions(${target} PRIVATE TAVIR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  if(WIN32)
    add_test(NAME ${target}
             COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/run-under-wine.sh" "${CMAKE_SYSTEM_PROCESSOR}" $<TARGET_FILE:${target}>)
  else()
    add_test(NAME ${target} COMMAND ${target})
  endif()
  set_tests_properties(${target} PROPERTIES TIMEOUT 900)
endfunction()
