# Test support: GoogleTest from the system natively; in the cross builds the
# googletest sources that Debian ships (/usr/src/googletest) are compiled with
# the cross compiler, and CTest runs the test programs under Wine through
# scripts/run-under-wine.sh, which judges the run by GoogleTest's own summary.

if(WIN32)
  set(TAVIR_GTEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH "googletest sources for the cross builds")
  if(NOT EXISTS "${TAVIR_GTEST_SOURCE_DIR}/src/gtest-all.cc")
    message(FATAL_ERROR "googletest sources not found in ${TAVIR_GTEST_SOURCE_DIR} (apt-get install googletest)")
  endif()
  # Built directly from its two amalgamation files: googletest's own CMake
  # project is not needed and its flags are not ours.
  foreach(part IN ITEMS gtest gtest_main)
    if(part STREQUAL "gtest")
      add_library(gtest STATIC "${TAVIR_GTEST_SOURCE_DIR}/src/gtest-all.cc")
    else()
      add_library(gtest_main STATIC "${TAVIR_GTEST_SOURCE_DIR}/src/gtest_main.cc")
      target_link_libraries(gtest_main PUBLIC gtest)
    endif()
    target_include_directories(${part} SYSTEM PUBLIC "${TAVIR_GTEST_SOURCE_DIR}/include")
    target_include_directories(${part} PRIVATE "${TAVIR_GTEST_SOURCE_DIR}")
    # googletest's sources are not ours to keep warning-free.
    target_compile_options(${part} PRIVATE -w -Wno-error)
  endforeach()
  set(TAVIR_GTEST_LIBS gtest_main gtest)
  set(TAVIR_TEST_SOURCE_ROOT "Z:${PROJECT_SOURCE_DIR}")
else()
  find_package(GTest REQUIRED)
  set(TAVIR_GTEST_LIBS GTest::gtest_main GTest::gtest)
  set(TAVIR_TEST_SOURCE_ROOT "${PROJECT_SOURCE_DIR}")
endif()

# Environment of every test: the Python for tests/tools/ checks, and sanitizer
# settings that make a report fail the test with a usable trace.
set(TAVIR_TEST_ENVIRONMENT
    "TAVIR_PYTHON=${TAVIR_PYTHON}"
    "TAVIR_TOOLS=${PROJECT_SOURCE_DIR}/tests/tools"
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# tavir_test(DIR LIBS... [NATIVE_ONLY] [ENVIRONMENT var=value...])
# tests/DIR/*.cpp become the program test_<DIR with / turned into _>, linked
# to LIBS and GoogleTest; nothing is built while the folder has no sources.
# In the cross builds the program runs under Wine (see scripts/run-under-wine.sh).
# NATIVE_ONLY programs (they spawn Linux tools, or test POSIX-only layers)
# are left out of the cross builds.
function(tavir_test dir)
  cmake_parse_arguments(PARSE_ARGV 1 arg "NATIVE_ONLY" "" "ENVIRONMENT")
  if(arg_NATIVE_ONLY AND WIN32)
    return()
  endif()
  string(REPLACE "/" "_" name "${dir}")
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(target test_${name})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${target} PRIVATE ${arg_UNPARSED_ARGUMENTS} ${TAVIR_GTEST_LIBS})
  target_compile_definitions(${target} PRIVATE TAVIR_TEST_DATA="${TAVIR_TEST_SOURCE_ROOT}/tests/data")
  if(NOT WIN32)
    # Only native programs can start Linux tools; a cross-built test that
    # names these does not compile, which is the point.
    target_compile_definitions(${target} PRIVATE
        TAVIR_PYTHON="${TAVIR_PYTHON}" TAVIR_TOOLS="${PROJECT_SOURCE_DIR}/tests/tools")
  endif()
  if(WIN32)
    add_test(NAME ${target}
             COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/run-under-wine.sh"
                     "${CMAKE_SYSTEM_PROCESSOR}" $<TARGET_FILE:${target}>)
    # One Wine prefix per architecture holds one registry: its programs take
    # turns (run-under-wine.sh also locks the prefix against other builds).
    set_tests_properties(${target} PROPERTIES RESOURCE_LOCK "wineprefix-${CMAKE_SYSTEM_PROCESSOR}")
  else()
    add_test(NAME ${target} COMMAND ${target})
  endif()
  set(environment ${TAVIR_TEST_ENVIRONMENT} ${arg_ENVIRONMENT})
  set_tests_properties(${target} PROPERTIES TIMEOUT 900 ENVIRONMENT "${environment}")
endfunction()

# tavir_python_check(NAME SCRIPT [ARGS...] [DEPENDS tests...])
# Runs tests/tools/SCRIPT with TAVIR_PYTHON as the CTest test py_<NAME>; exit
# status 0 passes. Native builds only: the tools read what native programs
# write. DEPENDS orders it after the tests that produce its input.
function(tavir_python_check name script)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS")
  if(WIN32)
    return()
  endif()
  add_test(NAME py_${name}
           COMMAND "${TAVIR_PYTHON}" "${PROJECT_SOURCE_DIR}/tests/tools/${script}" ${arg_UNPARSED_ARGUMENTS}
           WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  set_tests_properties(py_${name} PROPERTIES TIMEOUT 300 ENVIRONMENT "${TAVIR_TEST_ENVIRONMENT}")
  if(arg_DEPENDS)
    set_tests_properties(py_${name} PROPERTIES DEPENDS "${arg_DEPENDS}")
  endif()
endfunction()
