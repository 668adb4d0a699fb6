# Read by cpack. The packages install into /usr, and the build must have been configured for
# that prefix too, so that its private libraries land in the multiarch folder (which needs no
# ldconfig) and the registry entry names their final place.
if(NOT CPACK_KORVANE_CONFIGURED_PREFIX STREQUAL CPACK_PACKAGING_INSTALL_PREFIX)
  message(FATAL_ERROR "the build is configured for ${CPACK_KORVANE_CONFIGURED_PREFIX}: configure "
                      "it with -DCMAKE_INSTALL_PREFIX=${CPACK_PACKAGING_INSTALL_PREFIX} to make "
                      "the packages (tools/package does)")
endif()
