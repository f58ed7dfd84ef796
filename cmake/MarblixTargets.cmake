# Helpers that give every Marblix target the same warnings, sanitizers and layout.

set(MARBLIX_SOURCE_ROOT ${CMAKE_SOURCE_DIR}/src)

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

# marblix_expose_headers(LIBRARY [HEADERS names...]): the library's include root. Its headers (the
# named ones of the calling folder, or all of them) are reachable only through
# build/include/LIBRARY/FOLDER/HEADER, a link to the header in the source tree, and that root is a
# usage requirement of the library: "board/qz_Field.h" is found only by the board library itself
# and by the targets that link it, directly or through PUBLIC dependencies. FOLDER is the calling
# folder's path below src/ (board, board/draw, platform/video), or its own name outside src/.
function(marblix_expose_headers library)
  cmake_parse_arguments(ARG "" "" "HEADERS" ${ARGN})
  if(NOT ARG_HEADERS)
    file(GLOB ARG_HEADERS CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  cmake_path(IS_PREFIX MARBLIX_SOURCE_ROOT ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE below_src)
  if(below_src)
    file(RELATIVE_PATH folder ${MARBLIX_SOURCE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  else()
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  set(root ${CMAKE_BINARY_DIR}/include/${library})
  # Made afresh at every configure run, so that a moved or deleted header is gone from it too.
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header ${ARG_HEADERS})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
      message(FATAL_ERROR "${library}: no header ${CMAKE_CURRENT_SOURCE_DIR}/${header}")
    endif()
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
  endforeach()
  get_target_property(type ${library} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${library} INTERFACE ${root})
  else()
    target_include_directories(${library} PUBLIC ${root})
  endif()
endfunction()

# Each platform's side of a seam lives in files of its own: name_linux.cpp and name_windows.cpp
# (tests: name_linux_test.cpp, name_windows_test.cpp). Only the files of the platform being built
# are kept in `sources_var`.
if(WIN32)
  set(MARBLIX_OTHER_PLATFORM "_linux(_test)?\\.cpp$")
else()
  set(MARBLIX_OTHER_PLATFORM "_windows(_test)?\\.cpp$")
endif()
macro(marblix_this_platform sources_var)
  list(FILTER ${sources_var} EXCLUDE REGEX "${MARBLIX_OTHER_PLATFORM}")
endmacro()

# marblix_library(NAME [HEADERS names...] [LIBS deps...]): a static library of every .cpp in the
# calling folder (this platform's), with the named headers (or all of the folder's) in its include
# root.
function(marblix_library name)
  cmake_parse_arguments(ARG "" "" "HEADERS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  marblix_this_platform(sources)
  add_library(${name} STATIC ${sources})
  marblix_expose_headers(${name} HEADERS ${ARG_HEADERS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  marblix_harden(${name})
endfunction()

# marblix_test(NAME [READS_PACK] [LIBS deps...]): one GoogleTest binary of every .cpp in the
# calling folder (this platform's). READS_PACK: its cases read the generated pack in build/data.
function(marblix_test name)
  cmake_parse_arguments(ARG "READS_PACK" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  marblix_this_platform(sources)
  add_executable(${name} ${sources})
  # The helpers the test folders share ("board/BoardDoubles.h", "graphics/GraphicsFixture.h"), and
  # the doubles of tests/support that every test may use.
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} marblix_test_support GTest::gtest GTest::gmock
                                        GTest::gtest_main)
  marblix_harden(${name})
  if(ARG_READS_PACK)
    marblix_gtest_cases(${name} READS_PACK)
  else()
    marblix_gtest_cases(${name})
  endif()
endfunction()

# marblix_gtest_cases(TARGET [READS_PACK]): the GoogleTest binary's cases as tests, run in its build
# folder. A cross build runs each binary whole under the emulator (Wine starts in about a second
# and a half, too slow for a process per case). READS_PACK: the cases read build/data, and run
# after a game has played there (the fixture PlayedDataFolder), as they do when a player runs
# scripts/play.sh before scripts/test.sh.
function(marblix_gtest_cases target)
  cmake_parse_arguments(ARG "READS_PACK" "" "" ${ARGN})
  set(fixture)
  if(ARG_READS_PACK)
    set(fixture FIXTURES_REQUIRED PlayedDataFolder)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${target} PROPERTIES TIMEOUT 900 ${fixture})
  elseif(ARG_READS_PACK)
    gtest_discover_tests(${target} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                         DISCOVERY_TIMEOUT 60 PROPERTIES ${fixture})
  else()
    gtest_discover_tests(${target} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                         DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
