# The Access reader on edited copies of the fixture db1.mdb. The reader's own source
# is built into the target so that the fuzzer sees its branches; libmdb runs in the
# reader's child process, as in the program.
find_package(PkgConfig REQUIRED)
pkg_check_modules(FUZZ_MDBTOOLS REQUIRED IMPORTED_TARGET libmdb libmdbsql)
cloze_fuzz_target(fuzz_mdb_reader ${CMAKE_CURRENT_LIST_DIR}/mdb_reader_fuzz.cpp
  cloze_core Qt6::Core PkgConfig::FUZZ_MDBTOOLS)
target_sources(fuzz_mdb_reader PRIVATE ${CMAKE_SOURCE_DIR}/src/platform/mdb_query.cpp)
target_include_directories(fuzz_mdb_reader PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(fuzz_mdb_reader PRIVATE CLOZE_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
