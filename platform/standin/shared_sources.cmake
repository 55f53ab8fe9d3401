# The stand-in's sources that need nothing of the host: the Linux tool links them, and the
# Wine suite's wlanapi.dll (tests/wine/) is built from them too. Sets STANDIN_SHARED_SOURCES.

# The profile schema, built in byte for byte: every byte written as a hex escape, so no part
# of it can be read as code or as something to substitute.
set(profile_schema ${CMAKE_CURRENT_LIST_DIR}/profiles/wlan_profile.xsd)
file(READ ${profile_schema} schema_hex HEX)
string(REGEX REPLACE "(..)" "\\\\x\\1" schema_bytes "${schema_hex}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/profile_schema.cpp.new
  "#include \"platform/standin/profiles/profile_document.h\"\n\n"
  "const char standin::kProfileSchema[] = \"${schema_bytes}\";\n")
# Rewritten only when it changes, so that a new configure recompiles nothing.
configure_file(${CMAKE_CURRENT_BINARY_DIR}/profile_schema.cpp.new ${CMAKE_CURRENT_BINARY_DIR}/profile_schema.cpp COPYONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${profile_schema})

set(STANDIN_SHARED_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/api/wlanapi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/default_machine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/machine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/machine_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/member_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/radio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/trace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profiles/profile_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profiles/profile_text.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/profile_schema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text/unicode.cpp
)
