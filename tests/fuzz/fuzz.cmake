# Builds and runs the number-rules fuzz target (included from tests/CMakeLists.txt
# in sanitizer builds). The target is compiled by a clang that supports
# -fsanitize=fuzzer: the project's compiler when it is clang, otherwise a clang++
# found on the path, so a g++ build still fuzzes where clang is installed.
set(FUZZ_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/number_text_fuzz.cpp ${PROJECT_SOURCE_DIR}/core/number_text.cpp)
set(FUZZ_SKIP_MESSAGE "")

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(VELMARION_FUZZ_CXX ${CMAKE_CXX_COMPILER})
else()
  find_program(VELMARION_FUZZ_CXX NAMES clang++ clang++-14 clang++-15 clang++-16)
endif()

if(NOT VELMARION_FUZZ_CXX)
  set(FUZZ_SKIP_MESSAGE "no clang++ found: install clang and libclang-rt-dev to fuzz the number rules")
else()
  # Does this compiler link a libFuzzer program with the sanitizers?
  set(probe_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe)
  file(MAKE_DIRECTORY ${probe_dir})
  file(WRITE ${probe_dir}/probe.cpp
    "#include <cstdint>\n#include <cstddef>\n"
    "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(
    COMMAND ${VELMARION_FUZZ_CXX} -std=c++20 -fsanitize=fuzzer,address,undefined probe.cpp -o probe
    WORKING_DIRECTORY ${probe_dir} RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(NOT probe_result EQUAL 0)
    set(FUZZ_SKIP_MESSAGE "${VELMARION_FUZZ_CXX} cannot link -fsanitize=fuzzer: install libclang-rt-dev")
  endif()
endif()

if(FUZZ_SKIP_MESSAGE)
  message(STATUS "Number-rules fuzzing skipped: ${FUZZ_SKIP_MESSAGE}")
  add_test(NAME number_text_fuzz COMMAND sh -c "echo 'skipped: ${FUZZ_SKIP_MESSAGE}'; exit 77")
  set_tests_properties(number_text_fuzz PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()

message(STATUS "Number-rules fuzzing with ${VELMARION_FUZZ_CXX}")
set(FUZZ_BINARY ${CMAKE_CURRENT_BINARY_DIR}/fuzz/number_text_fuzzer)
add_custom_command(OUTPUT ${FUZZ_BINARY}
  COMMAND ${VELMARION_FUZZ_CXX} -std=c++20 -g -O1 -fno-omit-frame-pointer
          -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
          -I${PROJECT_SOURCE_DIR} ${FUZZ_SOURCES} -o ${FUZZ_BINARY}
  DEPENDS ${FUZZ_SOURCES} ${PROJECT_SOURCE_DIR}/core/number_text.h
  COMMENT "Building the number-rules fuzz target with ${VELMARION_FUZZ_CXX}")
add_custom_target(number_text_fuzz ALL DEPENDS ${FUZZ_BINARY})

# A few seconds of fuzzing from the seed texts; new inputs go to the build folder,
# the seeds in the source tree stay as they are. -timeout fails any input that
# takes more than a second.
set(FUZZ_WORK_CORPUS ${CMAKE_CURRENT_BINARY_DIR}/fuzz/corpus)
file(MAKE_DIRECTORY ${FUZZ_WORK_CORPUS})
add_test(NAME number_text_fuzz
  COMMAND ${FUZZ_BINARY} -max_total_time=8 -timeout=1 -rss_limit_mb=1024 -max_len=4096
          -print_final_stats=1 -dict=${CMAKE_CURRENT_SOURCE_DIR}/fuzz/number_text.dict
          ${FUZZ_WORK_CORPUS} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
set_tests_properties(number_text_fuzz PROPERTIES TIMEOUT 120)
