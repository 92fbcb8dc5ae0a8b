# The process-listing benchmark program (Windows build only): one full listing with modules,
# timed on a machine that runs about fifty processes.
if(VESTRA_WINDOWS AND TARGET vestra_platform_win32)
  add_executable(process_list_bench ${CMAKE_CURRENT_LIST_DIR}/process_list_bench.cpp)
  target_include_directories(process_list_bench PRIVATE ${VESTRA_ROOT})
  target_link_libraries(process_list_bench PRIVATE vestra_processes vestra_platform_win32)
endif()
