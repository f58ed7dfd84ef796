# What the Windows build adds: the pack and the icon come from a native build (the generator runs on
# the build machine), the C and C++ runtimes are linked into every program, the libraries' DLLs sit
# beside the game, and tests run under Wine.

set(MARBLIX_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build
    CACHE PATH "The native build whose generated pack and icon the Windows build takes")
if(NOT EXISTS ${MARBLIX_NATIVE_BUILD}/data.stamp OR NOT EXISTS ${MARBLIX_NATIVE_BUILD}/icons/marblix.ico)
  message(FATAL_ERROR "No generated pack and icon in ${MARBLIX_NATIVE_BUILD}: build the native "
                      "tree first (cmake --preset default && cmake --build build)")
endif()
set(MARBLIX_ICON_FILE ${MARBLIX_NATIVE_BUILD}/icons/marblix.ico)

# Only the pack: a Config.bin or Log.txt left by a game played in the native data folder stays.
set(MARBLIX_PACK_FOLDERS graphics sounds music lang)
set(MARBLIX_PACK_FILES strings.txt sounds.txt)
set(copy_pack)
foreach(folder ${MARBLIX_PACK_FOLDERS})
  list(APPEND copy_pack COMMAND ${CMAKE_COMMAND} -E copy_directory
       ${MARBLIX_NATIVE_BUILD}/data/${folder} ${MARBLIX_DATA_DIR}/${folder})
endforeach()
foreach(file ${MARBLIX_PACK_FILES})
  list(APPEND copy_pack COMMAND ${CMAKE_COMMAND} -E copy ${MARBLIX_NATIVE_BUILD}/data/${file}
       ${MARBLIX_DATA_DIR}/${file})
endforeach()
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/data.stamp
  ${copy_pack}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/data.stamp
  DEPENDS ${MARBLIX_NATIVE_BUILD}/data.stamp
  COMMENT "Taking the asset pack of ${MARBLIX_NATIVE_BUILD}"
  VERBATIM)
add_custom_target(marblix_data ALL DEPENDS ${CMAKE_BINARY_DIR}/data.stamp)

# No libstdc++, libgcc or winpthread DLLs to ship: only SDL2, SDL2_mixer and libepoxy remain.
add_link_options(-static)

# The libraries' DLLs, for the game beside it and for the tests through WINEPATH.
file(GLOB MARBLIX_DLLS ${MARBLIX_WINDOWS_PREFIX}/bin/*.dll)

# Every test program runs under Wine in a Wine folder of this build's own (made by
# tests/windows/run_tests.sh), without Wine's chatter and without its Mono and Gecko installers.
if(MARBLIX_WINE)
  string(REPLACE "/" "\\" wine_dll_folder "Z:${MARBLIX_WINDOWS_PREFIX}/bin")
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env "WINEPREFIX=${CMAKE_BINARY_DIR}/wine" "WINEPATH=${wine_dll_folder}" "WINEDEBUG=-all"
      "WINEDLLOVERRIDES=mscoree,mshtml=\;winemenubuilder.exe=d" ${MARBLIX_WINE})
endif()

# GCC 12 at -O3 warns of overlapping copies inside std::string concatenation that cannot happen
# (GCC bug 105329); the native build at -O2 keeps the warning.
list(APPEND MARBLIX_WARNINGS -Wno-restrict)
