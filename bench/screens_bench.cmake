# Screen timings on the offscreen platform, and the start-up of the program under Xvfb.
#   build/bench-bin/screens_bench [RUNS]
#   xvfb-run -a build/bench-bin/startup_bench build/bin/cloze-trainer build/bench-bin/bare_window [RUNS]
add_executable(screens_bench ${CMAKE_CURRENT_LIST_DIR}/screens_bench.cpp)
target_link_libraries(screens_bench PRIVATE cloze_screens Qt6::Test)

add_executable(bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(bare_window PRIVATE Qt6::Widgets)
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
