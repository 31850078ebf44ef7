# Warnings for every target of the project; they are kept at zero, so any warning fails the
# build. Code that Qt's tools generate into a target is not ours to mend: it still warns, but
# does not fail. Headers of other projects come in as system headers and do not warn at all.
function(membercard_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wcast-align -Wunused -Woverloaded-virtual -Wformat=2 -Werror)
  get_target_property(automoc ${target} AUTOMOC)
  if(automoc)
    set_source_files_properties(
      ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
      TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS -Wno-error)
  endif()
endfunction()

# Adds a GoogleTest executable and registers its cases with CTest.
function(membercard_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  membercard_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
