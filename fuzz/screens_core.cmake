# The page placement lives in the core; the help reader needs only Qt Core.
cloze_fuzz_target(fuzz_page_placement page_placement_fuzz.cpp cloze_core)

add_library(fuzz_helpfile STATIC ${CMAKE_SOURCE_DIR}/src/screens/help/help_file.cpp)
target_include_directories(fuzz_helpfile PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(fuzz_helpfile PUBLIC cloze_core Qt6::Core)
target_compile_options(fuzz_helpfile PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
cloze_fuzz_target(fuzz_help_file help_file_fuzz.cpp fuzz_helpfile)
