# Build settings shared by every target, and the helpers that subsystem folders use to declare
# their libraries and tests without repeating flags.

set(VESTRA_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

add_compile_options(-Wall -Wextra)

if(WIN32)
  set(VESTRA_WINDOWS ON)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Static runtime: the shipped files need no mingw DLL beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  set(VESTRA_WINDOWS OFF)
  if(VESTRA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# GoogleTest from Debian's source package, built by this tree so that both targets (and the
# sanitizer flags) use the same build of it.
if(BUILD_TESTING AND NOT TARGET gtest)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# vestra_library(NAME [folder-relative sources...] DEPS ...): a static library of one subsystem.
# Sources are listed explicitly by the caller so a reader sees what belongs to the library.
function(vestra_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${VESTRA_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# vestra_test(NAME SOURCES ... DEPS ...): one GoogleTest program, registered with CTest. On the
# Windows configuration CTest runs it through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
function(vestra_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${VESTRA_ROOT})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "VESTRA_SOURCE_DIR=${VESTRA_ROOT};VESTRA_BINARY_DIR=${CMAKE_BINARY_DIR}"
    LABELS "${ARG_LABELS}")
endfunction()
