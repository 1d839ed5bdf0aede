# ftplink_add_gtest(name SOURCES ... LIBS ...): one GoogleTest executable, one CTest entry named
# <build>.<name>. Cross builds run it through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
function(ftplink_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest_main)
  target_include_directories(${name} PRIVATE ${FTPLINK_ROOT}/src ${FTPLINK_ROOT}/res ${FTPLINK_ROOT}/tests)
  add_test(NAME ${FTPLINK_BUILD_TAG}.${name} COMMAND ${name})
  if(ARG_LABELS)
    set_tests_properties(${FTPLINK_BUILD_TAG}.${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# ftplink_add_pytest(name SCRIPT ...): a Python test script given the build's output folder.
function(ftplink_add_pytest name script)
  add_test(NAME ${FTPLINK_BUILD_TAG}.${name}
           COMMAND ${FTPLINK_PYTHON} ${script} --bin-dir ${CMAKE_BINARY_DIR}/bin --build-tag ${FTPLINK_BUILD_TAG}
           WORKING_DIRECTORY ${FTPLINK_ROOT})
  set_tests_properties(${FTPLINK_BUILD_TAG}.${name} PROPERTIES ${ARGN})
endfunction()

# Adds each listed subfolder that has a CMakeLists.txt: one folder per subsystem under test.
function(ftplink_add_areas)
  foreach(area ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/CMakeLists.txt)
      add_subdirectory(${area})
    endif()
  endforeach()
endfunction()
