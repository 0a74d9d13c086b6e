# Lesson store timings on big.mdb (2,000 lessons) and an SQLite store imported from it.
#   build/bench-bin/store_bench [RUNS]
find_package(PkgConfig REQUIRED)
pkg_check_modules(BENCH_SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
add_executable(store_bench ${CMAKE_CURRENT_LIST_DIR}/store_bench.cpp)
target_link_libraries(store_bench PRIVATE cloze_store Qt6::Core PkgConfig::BENCH_SQLITE3)
target_compile_definitions(store_bench PRIVATE CLOZE_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
