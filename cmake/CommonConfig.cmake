# One INTERFACE target carries the language level, warnings, Qt defines and sanitizer
# flags for every target of the project.
add_library(tarvex_common INTERFACE)
target_compile_features(tarvex_common INTERFACE cxx_std_20)
target_compile_options(tarvex_common INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wold-style-cast -Wno-unused-parameter -Wno-missing-field-initializers>)
target_compile_definitions(tarvex_common INTERFACE QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

if(TARVEX_SANITIZE)
  target_compile_options(tarvex_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tarvex_common INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz preset: every library is instrumented for libFuzzer's coverage and checked by
# the sanitizers; only the fuzz targets themselves link libFuzzer's main (fuzz/).
if(TARVEX_FUZZ)
  target_compile_options(tarvex_common INTERFACE -fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tarvex_common INTERFACE -fsanitize=address,undefined)
endif()

# Registers a GoogleTest executable with CTest. Widget tests run on the offscreen platform.
function(tarvex_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tarvex_common ${T_LIBS} GTest::gtest Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1"
    TIMEOUT 600)
endfunction()
