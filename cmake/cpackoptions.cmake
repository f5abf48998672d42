# Read by cpack for each generator it runs (CPACK_PROJECT_CONFIG_FILE): the settings that differ
# between the packages of one build.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
elseif(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME calibrix-${CPACK_PACKAGE_VERSION}-setup)
endif()
