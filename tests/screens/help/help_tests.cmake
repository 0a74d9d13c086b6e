# Tests of the help screens, their reader and the shipped content.
# Included by tests/screens/CMakeLists.txt; paths are relative to this file.
set(help_tests_dir ${CMAKE_CURRENT_LIST_DIR})

add_executable(help_file_tests
  ${help_tests_dir}/help_file_test.cpp
  ${help_tests_dir}/help_content_test.cpp
)
target_link_libraries(help_file_tests PRIVATE cloze_helpfile cloze_core GTest::gtest_main)
target_compile_definitions(help_file_tests PRIVATE
  CLOZE_DATA_DIR="${CMAKE_SOURCE_DIR}/data"
  CLOZE_PROGRAM_DIR="${CLOZE_PROGRAM_DIR}")
# The content tests compare the program folder's copy with data/.
add_dependencies(help_file_tests cloze_content)
add_test(NAME help_file_tests COMMAND help_file_tests)

foreach(screen help_form help4grammar)
  add_executable(${screen}_test ${help_tests_dir}/${screen}_test.cpp ${help_tests_dir}/help_test_folder.h)
  set_target_properties(${screen}_test PROPERTIES AUTOMOC ON)
  target_link_libraries(${screen}_test PRIVATE cloze_help Qt6::Test)
  add_test(NAME ${screen}_test COMMAND ${screen}_test)
  set_tests_properties(${screen}_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()
