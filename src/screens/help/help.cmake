# The two help screens and the reader of their text files.
# Included by src/screens/CMakeLists.txt; paths are relative to this file.
set(help_dir ${CMAKE_CURRENT_LIST_DIR})

# Reading and sizing rules, Qt Core only, so they test without a screen.
add_library(cloze_helpfile STATIC
  ${help_dir}/help_file.h ${help_dir}/help_file.cpp
  ${help_dir}/help_scale.h ${help_dir}/help_scale.cpp
)
target_link_libraries(cloze_helpfile PUBLIC cloze_core Qt6::Core)

add_library(cloze_help STATIC
  ${help_dir}/help_list.h ${help_dir}/help_list.cpp
  ${help_dir}/help_form.h ${help_dir}/help_form.cpp
  ${help_dir}/help4grammar.h ${help_dir}/help4grammar.cpp
)
set_target_properties(cloze_help PROPERTIES AUTOMOC ON)
target_link_libraries(cloze_help PUBLIC cloze_helpfile cloze_core Qt6::Widgets)

# The shipped help texts and sounds go beside the program.
include(${CMAKE_SOURCE_DIR}/data/data.cmake)
