# The Windows exe as it is shipped: version information and an application manifest in
# its resources, and the release package (cmake --build --preset mingw-ARCH --target package):
# tessamin-VERSION-win32.zip or -win64.zip holding one folder of the same name, which holds the
# stripped exe, README.TXT (its first line carrying the version), deploy.cmd, report.cmd,
# profiles\ (PROFILES.TXT only) and samples\: unpacked, nothing spills into the folder around.
enable_language(RC)
set(TESSAMIN_FILE_VERSION_DOTS ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(TESSAMIN_FILE_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TESSAMIN_MANIFEST_ARCH x86)
  set(TESSAMIN_PACKAGE_SYSTEM win32)
else()
  set(TESSAMIN_MANIFEST_ARCH amd64)
  set(TESSAMIN_PACKAGE_SYSTEM win64)
endif()
set(TESSAMIN_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/tessamin.exe.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tessamin.exe.manifest.in ${TESSAMIN_MANIFEST} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tessamin.rc.in ${CMAKE_CURRENT_BINARY_DIR}/tessamin.rc @ONLY)
target_sources(tessamin PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/tessamin.rc)
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/tessamin.rc APPEND PROPERTY OBJECT_DEPENDS ${TESSAMIN_MANIFEST})

# README.TXT's first line gets the version. configure_file reads text without its CRs and
# writes CR LF again; check-package compares the result with the committed file.
set(VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/dist/README.TXT ${CMAKE_CURRENT_BINARY_DIR}/README.TXT @ONLY NEWLINE_STYLE CRLF)

install(TARGETS tessamin RUNTIME DESTINATION .)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.TXT ${PROJECT_SOURCE_DIR}/dist/deploy.cmd
  ${PROJECT_SOURCE_DIR}/dist/report.cmd DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/dist/profiles/ DESTINATION profiles)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/dist/samples/ DESTINATION samples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tessamin)
set(CPACK_PACKAGE_FILE_NAME tessamin-${PROJECT_VERSION}-${TESSAMIN_PACKAGE_SYSTEM})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
