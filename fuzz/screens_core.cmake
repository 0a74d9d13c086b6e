# The page placement and the text decoder live in the core.
cloze_fuzz_target(fuzz_page_placement page_placement_fuzz.cpp cloze_core)
cloze_fuzz_target(fuzz_help_file help_file_fuzz.cpp cloze_core)
