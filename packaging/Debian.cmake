# The Debian package: the window, irven-cli and irven-panel-sim with everything installed beside
# them; the libraries it depends on are computed from the programs by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${IRVEN_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for Ирвен alarm panels over a serial port")
# Lines of at most 80 characters, as the package's description is shown.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "The service technician's configurator for the Ирвен fire and security alarm"
  "panels: it reads, edits, writes and saves a panel's GPRS/SMS communication"
  "settings and uploads and downloads its report-code tables over a serial port."
  "The package holds the window (irven-configurator), its command-line companion"
  "for scripts and the event journal (irven-cli), and a simulated panel on a"
  "pseudo-terminal (irven-panel-sim).")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
# Directories the system owns keep its permissions.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
