# Helpers that give every Marblix target the same warnings, sanitizers and layout.

set(MARBLIX_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror)
set(MARBLIX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

# Applies the project's warnings and, in the sanitizer build, the sanitizers to a target.
function(marblix_harden target)
  target_compile_options(${target} PRIVATE ${MARBLIX_WARNINGS})
  if(MARBLIX_SANITIZE)
    target_compile_options(${target} PRIVATE ${MARBLIX_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${MARBLIX_SANITIZER_FLAGS})
  endif()
endfunction()

# marblix_library(NAME [LIBS deps...]): a static library of every .cpp in the calling folder.
function(marblix_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  marblix_harden(${name})
endfunction()

# marblix_test(NAME [LIBS deps...]): one GoogleTest binary of every .cpp in the calling folder.
function(marblix_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} marblix_test_support GTest::gtest GTest::gmock
                                        GTest::gtest_main)
  marblix_harden(${name})
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60)
endfunction()
