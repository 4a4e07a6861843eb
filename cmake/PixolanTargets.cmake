# Helpers that give every Pixolan target the same language level, warnings and include
# root, without directory-wide settings that would leak into a parent project.
include_guard(GLOBAL)

set(PIXOLAN_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/../src")
cmake_path(NORMAL_PATH PIXOLAN_SOURCE_ROOT)

add_library(pixolan_options INTERFACE)
add_library(pixolan::options ALIAS pixolan_options)
target_compile_features(pixolan_options INTERFACE cxx_std_20)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(pixolan_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
    $<$<BOOL:${PIXOLAN_WARNINGS_AS_ERRORS}>:-Werror>)
  # Debian's hardening flags (dpkg-buildflags). Checked string functions need an optimised
  # build and stand in the sanitizers' way, so a debug or sanitizer build goes without them.
  target_compile_options(pixolan_options INTERFACE -fstack-protector-strong -Wformat
    -Werror=format-security)
  if(NOT CMAKE_CXX_FLAGS MATCHES "sanitize")
    # Undefined first: some compilers define it already, and a redefinition is a warning.
    target_compile_options(pixolan_options INTERFACE
      $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE$<SEMICOLON>-D_FORTIFY_SOURCE=2>)
  endif()
  target_link_options(pixolan_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()

# pixolan_add_library(<folder> SOURCES ... [DEPENDS ...])
# One static library per source folder, reachable as pixolan::<folder>, with includes
# rooted at src/ ("util/NumberFormat.h").
function(pixolan_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;DEPENDS")
  add_library(pixolan_${name} STATIC ${ARG_SOURCES})
  add_library(pixolan::${name} ALIAS pixolan_${name})
  set_target_properties(pixolan_${name} PROPERTIES OUTPUT_NAME pixolan_${name})
  target_include_directories(pixolan_${name} PUBLIC "$<BUILD_INTERFACE:${PIXOLAN_SOURCE_ROOT}>")
  target_link_libraries(pixolan_${name} PUBLIC ${ARG_DEPENDS} PRIVATE pixolan::options)
endfunction()

# pixolan_add_test(<folder> [WIDGETS] SOURCES ... DEPENDS ...)
# One GoogleTest executable per library, its cases registered with ctest one by one.
# WIDGETS runs the suite inside a QApplication on the offscreen platform.
function(pixolan_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "WIDGETS" "" "SOURCES;DEPENDS")
  add_executable(${name}_tests ${ARG_SOURCES})
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPENDS} pixolan::options GTest::gtest
    GTest::gmock)
  if(ARG_WIDGETS)
    target_link_libraries(${name}_tests PRIVATE pixolan_qt_test_main Qt6::Test)
  else()
    target_link_libraries(${name}_tests PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name}_tests
    TEST_PREFIX "${name}."
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# pixolan_add_benchmark(<name> SOURCES ... DEPENDS ...)
function(pixolan_add_benchmark name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;DEPENDS")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} pixolan::options benchmark::benchmark
    benchmark::benchmark_main)
endfunction()
