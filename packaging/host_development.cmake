# What a host program is built with: the headers (include/), the link names of the libraries
# it links, a CMake package and a pkg-config file, all relocatable: each finds the
# installation from its own place, so no installed file names a prefix.
include(CMakePackageConfigHelpers)

install(TARGETS ${KORVANE_HOST_LIBRARIES}
  LIBRARY DESTINATION ${KORVANE_PRIVATE_DIR} COMPONENT nelowav_dev NAMELINK_ONLY)

set(configDir ${CMAKE_INSTALL_LIBDIR}/cmake/NeloWav)
file(RELATIVE_PATH configToPrefix /${configDir} /)
set(config ${CMAKE_CURRENT_BINARY_DIR}/NeloWavConfig.cmake)
set(configVersion ${CMAKE_CURRENT_BINARY_DIR}/NeloWavConfigVersion.cmake)
configure_file(NeloWavConfig.cmake.in ${config} @ONLY)
write_basic_package_version_file(${configVersion} COMPATIBILITY SameMajorVersion)
install(FILES ${config} ${configVersion} DESTINATION ${configDir} COMPONENT nelowav_dev)

set(pkgconfigDir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pkgconfigToPrefix /${pkgconfigDir} /)
string(REGEX REPLACE "/$" "" pkgconfigToPrefix ${pkgconfigToPrefix})
set(pkgconfig ${CMAKE_CURRENT_BINARY_DIR}/nelowav.pc)
configure_file(nelowav.pc.in ${pkgconfig} @ONLY)
install(FILES ${pkgconfig} DESTINATION ${pkgconfigDir} COMPONENT nelowav_dev)

# The guide and the example host that it describes.
set(hostDocs ${CMAKE_INSTALL_DATADIR}/doc/nelowav-dev)
install(FILES ${PROJECT_SOURCE_DIR}/docs/hosting.md DESTINATION ${hostDocs} COMPONENT nelowav_dev)
install(FILES ${PROJECT_SOURCE_DIR}/examples/play_wav/CMakeLists.txt
              ${PROJECT_SOURCE_DIR}/examples/play_wav/main.cpp
  DESTINATION ${hostDocs}/examples/play_wav COMPONENT nelowav_dev)
