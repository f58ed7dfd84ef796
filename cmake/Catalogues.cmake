# The translators' catalogues in po/ and what every build makes of them at build time, with
# scripts/catalogues.py: the player-facing messages' translations as a C++ source (compiled into
# the program), and, in the native build, the template of every text (checked against
# po/marblix.pot by the tests), the launcher entry and the metainfo in every language.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(MARBLIX_PO_DIR ${CMAKE_SOURCE_DIR}/po)
set(MARBLIX_CATALOGUES_SCRIPT ${CMAKE_SOURCE_DIR}/scripts/catalogues.py)
file(GLOB MARBLIX_CATALOGUES CONFIGURE_DEPENDS ${MARBLIX_PO_DIR}/*.po)
list(APPEND MARBLIX_CATALOGUES ${MARBLIX_PO_DIR}/LINGUAS)
# The program's table of player-facing messages, where the template finds their English.
set(MARBLIX_MESSAGES_SOURCE ${CMAKE_SOURCE_DIR}/src/platform/system/player_messages.cpp)

set(MARBLIX_MESSAGE_TRANSLATIONS ${CMAKE_BINARY_DIR}/generated/player_messages_translated.cpp)
set(messages_depends ${MARBLIX_CATALOGUES} ${MARBLIX_CATALOGUES_SCRIPT})
if(EXISTS ${MARBLIX_MESSAGES_SOURCE})
  list(APPEND messages_depends ${MARBLIX_MESSAGES_SOURCE})
endif()
add_custom_command(
  OUTPUT ${MARBLIX_MESSAGE_TRANSLATIONS}
  COMMAND Python3::Interpreter ${MARBLIX_CATALOGUES_SCRIPT} messages ${MARBLIX_PO_DIR}
          ${MARBLIX_MESSAGES_SOURCE} ${MARBLIX_MESSAGE_TRANSLATIONS}
  DEPENDS ${messages_depends}
  COMMENT "Translating the player-facing messages from po/"
  VERBATIM)
add_custom_target(marblix_message_translations DEPENDS ${MARBLIX_MESSAGE_TRANSLATIONS})

# The metainfo with its version and date filled in, in English: the template's source of its texts
# (dist/ translates it into every language).
set(MARBLIX_ENGLISH_METAINFO ${CMAKE_BINARY_DIR}/dist/marblix.metainfo.en.xml)
