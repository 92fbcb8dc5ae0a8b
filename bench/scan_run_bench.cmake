# The scan-run benchmark program (Windows build only): one whole scan run over a folder, timed.
# bench/scan_run_bench.sh runs it under Wine beside "vestsig scan" on the same tree.
if(VESTRA_WINDOWS AND TARGET vestra_platform_win32)
  add_executable(scan_run_bench ${CMAKE_CURRENT_LIST_DIR}/scan_run_bench.cpp)
  target_include_directories(scan_run_bench PRIVATE ${VESTRA_ROOT})
  target_link_libraries(scan_run_bench PRIVATE vestra_scan_run vestra_hidden_paths vestra_platform_win32)
endif()
