# cloze-lessons: the teachers' lesson tool, and the build step that turns the lesson
# sources in data/lessons/ into the embedded store bin/db1.sqlite.
add_library(cloze_lessons_lib STATIC
  ${CMAKE_CURRENT_LIST_DIR}/cloze_lessons/lesson_sources.h
  ${CMAKE_CURRENT_LIST_DIR}/cloze_lessons/lesson_sources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cloze_lessons/commands.h
  ${CMAKE_CURRENT_LIST_DIR}/cloze_lessons/commands.cpp
)
target_include_directories(cloze_lessons_lib PUBLIC ${CMAKE_CURRENT_LIST_DIR}/cloze_lessons)
target_link_libraries(cloze_lessons_lib PUBLIC cloze_store cloze_core Qt6::Core)

add_executable(cloze-lessons ${CMAKE_CURRENT_LIST_DIR}/cloze_lessons/main.cpp)
target_link_libraries(cloze-lessons PRIVATE cloze_lessons_lib)

# The lesson sources; a missing folder builds an empty store.
set(cloze_lesson_sources ${CMAKE_SOURCE_DIR}/data/lessons)
if(NOT IS_DIRECTORY ${cloze_lesson_sources})
  set(cloze_lesson_sources ${CMAKE_BINARY_DIR}/no-lessons)
  file(MAKE_DIRECTORY ${cloze_lesson_sources})
endif()
file(GLOB_RECURSE cloze_lesson_files CONFIGURE_DEPENDS ${cloze_lesson_sources}/*.txt)
# A file list that changes only when files come or go, so that removing a lesson
# rebuilds the store too.
string(REPLACE ";" "\n" cloze_lesson_list "${cloze_lesson_files}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/lesson-files.txt CONTENT "${cloze_lesson_list}\n")

add_custom_command(
  OUTPUT ${CLOZE_PROGRAM_DIR}/db1.sqlite
  COMMAND cloze-lessons build ${cloze_lesson_sources} ${CLOZE_PROGRAM_DIR}/db1.sqlite
  DEPENDS cloze-lessons ${cloze_lesson_files} ${CMAKE_BINARY_DIR}/lesson-files.txt
  COMMENT "Building the lesson store bin/db1.sqlite from data/lessons"
  VERBATIM)
add_custom_target(lesson_store ALL DEPENDS ${CLOZE_PROGRAM_DIR}/db1.sqlite)
