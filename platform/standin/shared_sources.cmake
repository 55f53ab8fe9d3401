# The stand-in's sources that need nothing of the host: the Linux tool links them, and the
# Wine suite's wlanapi.dll (tests/wine/) is built from them too. Sets STANDIN_SHARED_SOURCES.

# The profile schema, built in as a string.
file(READ ${CMAKE_CURRENT_LIST_DIR}/profiles/wlan_profile.xsd profile_schema)
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/profile_schema.cpp @ONLY CONTENT
"#include \"platform/standin/profiles/profile_document.h\"\n\nconst char standin::kProfileSchema[] = R\"xsd(@profile_schema@)xsd\";\n")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/profiles/wlan_profile.xsd)

set(STANDIN_SHARED_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/api/wlanapi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/default_machine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/machine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/machine_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine/trace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profiles/profile_rules.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/profile_schema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text/unicode.cpp
)
