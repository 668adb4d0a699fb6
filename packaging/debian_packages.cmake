# The Debian packages, one per install component: nelowav, the wave control with its runtime,
# nelowav-dev, what a host program is built with, and korvane, the game; the last two depend on
# the first. Their library dependencies are computed from the
# binaries by dpkg-shlibdeps; tools/package builds them with the distribution's hardening flags
# and checks them with lintian.

# The packages' history must start with the version being packaged.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/changelog changelogTop LIMIT_COUNT 1)
if(NOT changelogTop MATCHES "^korvane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog starts with \"${changelogTop}\", not with an entry "
                      "for version ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL nelowav nelowav_dev korvane)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Korvane developers")
set(CPACK_PACKAGE_CONTACT "The Korvane developers <developers@korvane.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE korvane)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_STRIP_FILES ON)
# The multiarch folder keeps the private libraries out of the folders the dynamic linker
# searches, so the packages need no ldconfig call and no maintainer script at all.
set(CPACK_KORVANE_CONFIGURED_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cpack_prefix_check.cmake)

# The descriptions: a summary line, then paragraphs that CPack indents as the policy wants.
set(CPACK_DEBIAN_NELOWAV_PACKAGE_NAME nelowav)
set(CPACK_DEBIAN_NELOWAV_PACKAGE_SECTION sound)
# Qt finds its platform plugins in a package of their own, which no binary links; nelowav needs
# them where a display is named.
set(CPACK_DEBIAN_NELOWAV_PACKAGE_DEPENDS qt6-qpa-plugins)
# Up to 1.0 a single korvane package held the control, the tools and the registry entry.
set(CPACK_DEBIAN_NELOWAV_PACKAGE_BREAKS "korvane (<< 1.1)")
set(CPACK_DEBIAN_NELOWAV_PACKAGE_REPLACES "korvane (<< 1.1)")
set(CPACK_COMPONENT_NELOWAV_DESCRIPTION [[
in-process wave-sound control, with its scripting host
NELOWAV is an in-process control that a host program loads through the
small COM runtime it comes with, to play, record and edit WAV files: open,
play, pause, stop, seek, record and save them, delete, copy and paste
ranges, read and write the samples as a 16-bit array, and change the volume
and the sampling rate. It plays and records through SDL.

This package holds the control and its runtime libraries, the registry
entry through which every user's programs create it, nelowav, which drives
the control from a shell script, and regsvr, which registers object
modules.]])

set(CPACK_DEBIAN_NELOWAV_DEV_PACKAGE_NAME nelowav-dev)
set(CPACK_DEBIAN_NELOWAV_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_NELOWAV_DEV_PACKAGE_DEPENDS "nelowav (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_NELOWAV_DEV_DESCRIPTION [[
development files for hosting the NELOWAV wave control
NELOWAV is an in-process control that a host program loads through the
small COM runtime it comes with, to play, record and edit WAV files.

This package holds what a C++ program that hosts the control is built
with: the headers under nelowav/ (the umbrella header is nelowav/host.h),
the link names of the libraries a host links, a CMake package (NeloWav)
and a pkg-config file (nelowav), with a guide to hosting the control and
an example host.]])

set(CPACK_DEBIAN_KORVANE_PACKAGE_NAME korvane)
set(CPACK_DEBIAN_KORVANE_PACKAGE_SECTION games)
set(CPACK_DEBIAN_KORVANE_PACKAGE_DEPENDS "nelowav (= ${PROJECT_VERSION}), qt6-qpa-plugins")
# The window's captions ask for DejaVu Sans Condensed, which this package provides.
set(CPACK_DEBIAN_KORVANE_PACKAGE_RECOMMENDS fonts-dejavu-extra)
set(CPACK_COMPONENT_KORVANE_DESCRIPTION [[
Reversi game against the computer or for two players
Korvane is a game of Reversi on an 8 by 8 board. Play White against the
computer, which answers each move after a short pause, or let two people
take turns at the same board. The game counts the discs, announces passes
and the winner, and plays a looping tune that the Sound menu switches off
and on.]])

include(CPack)
