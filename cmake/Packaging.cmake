# The release archive: "cpack" in a Windows build tree makes
# QuorvaneMarquelleXP-<version>-win32.zip with the program file and the README.
# Packing needs only the program built, not every test program.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS qm_app RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME QuorvaneMarquelleXP)
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "QuorvaneMarquelleXP-${PROJECT_VERSION}-win32")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
include(CPack)
