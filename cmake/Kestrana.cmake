# Helpers shared by every folder.

# kestrana_test(NAME name SOURCES ... LIBS ...)
# One GoogleTest binary, registered with ctest; Qt runs offscreen.
function(kestrana_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KESTRANA_SOURCE_DIR=${CMAKE_SOURCE_DIR};KESTRANA_BIN_DIR=${KESTRANA_BIN_DIR}")
endfunction()

# kestrana_bench(NAME name SOURCES ... LIBS ...)
# A Google Benchmark binary in build/bench (run by `make bench`).
function(kestrana_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# kestrana_fuzz(NAME name SOURCE file LIBS ... [CORPUS folder])
# A reader of outside bytes exposed as LLVMFuzzerTestOneInput. With
# KESTRANA_LIBFUZZER it is a libFuzzer binary (make fuzz); otherwise it is
# linked with a small driver that feeds it seeded random and mutated inputs,
# and runs as an ordinary ctest so every build exercises it. CORPUS names a
# folder of seed inputs (make fuzz finds it as corpus/<name> beside the source).
if(NOT TARGET fuzz_all)
  add_custom_target(fuzz_all)
endif()
function(kestrana_fuzz)
  cmake_parse_arguments(F "" "NAME;SOURCE;CORPUS" "LIBS" ${ARGN})
  if(KESTRANA_LIBFUZZER)
    add_executable(${F_NAME} ${F_SOURCE})
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    add_dependencies(fuzz_all ${F_NAME})
  else()
    add_executable(${F_NAME} ${F_SOURCE} ${CMAKE_SOURCE_DIR}/cmake/fuzz_driver.cpp)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set(seeds)
    if(F_CORPUS)
      set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/${F_CORPUS})
    endif()
    add_test(NAME ${F_NAME} COMMAND ${F_NAME} 20000 ${seeds})
  endif()
endfunction()

# kestrana_library(NAME name [QT] LIBS ...)
# A static library of every .cpp in the calling folder (new files are picked
# up at the next build). Without QT it must stay free of Qt headers.
function(kestrana_library)
  cmake_parse_arguments(L "QT" "NAME" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_library(${L_NAME} STATIC ${sources})
  target_include_directories(${L_NAME} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${L_NAME} PUBLIC ${L_LIBS})
  if(L_QT)
    set_target_properties(${L_NAME} PROPERTIES AUTOMOC ON)
    target_link_libraries(${L_NAME} PUBLIC Qt6::Widgets Qt6::PrintSupport)
  endif()
endfunction()
