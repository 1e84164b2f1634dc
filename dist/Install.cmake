# How the game installs: `cmake --install` into any prefix, and `cpack -G DEB` for a Debian package.
# The places are those of Debian's games: the real program in lib/games/quorlitz, its data in
# share/games/quorlitz, and a command that changes into the data and runs the program from there.
include(GNUInstallDirs)

# The one place of the licence, by its SPDX name; it fills the metainfo and the package's copyright
# file, which takes the holders and the text from LICENSE.
set(QUORLITZ_LICENSE MIT)
if(QUORLITZ_LICENSE STREQUAL MIT)
  set(QUORLITZ_DEBIAN_LICENSE Expat)   # the name in Debian's copyright format
else()
  message(FATAL_ERROR "dist/Install.cmake: name ${QUORLITZ_LICENSE} as Debian's copyright format does")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE license)
if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)(.*)")
  message(FATAL_ERROR "LICENSE has no line 'Copyright (c) <years> <holders>'")
endif()
set(QUORLITZ_COPYRIGHT ${CMAKE_MATCH_1})
# In the copyright file the text is a field's continuation: each line indented, empty ones a dot.
string(STRIP "${CMAKE_MATCH_2}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " QUORLITZ_LICENSE_TEXT " ${license}")

# The package needs whichever package provides the font the installed game links to.
execute_process(COMMAND dpkg-query -S ${QUORLITZ_FONT_SOURCE}
                RESULT_VARIABLE unowned OUTPUT_VARIABLE font_owner ERROR_QUIET)
if(unowned)
  message(WARNING "${QUORLITZ_FONT_SOURCE} belongs to no Debian package: a package made by cpack "
                  "will not bring in the font the game needs")
  set(QUORLITZ_FONT_ORIGIN "not from a Debian package")
else()
  string(REGEX REPLACE "[:,].*" "" QUORLITZ_FONT_PACKAGE "${font_owner}")
  set(QUORLITZ_FONT_ORIGIN "from the package ${QUORLITZ_FONT_PACKAGE}")
endif()

set(QUORLITZ_ID org.quorlitz.Quorlitz)
set(QUORLITZ_DEVELOPER "The Quorlitz team")

# AppStream 1.0 (Debian 13) names the developer in a <developer> block and calls the older
# <developer_name> deprecated; AppStream 0.16 (Debian 12) knows only the latter and calls the block
# an unknown tag. The metainfo speaks the version that this system's AppStream reads, the newer one
# when none is installed.
find_program(APPSTREAMCLI_EXECUTABLE appstreamcli)
set(QUORLITZ_METAINFO_DEVELOPER "<developer id=\"org.quorlitz\">
    <name>${QUORLITZ_DEVELOPER}</name>
  </developer>")
if(APPSTREAMCLI_EXECUTABLE)
  execute_process(COMMAND ${APPSTREAMCLI_EXECUTABLE} --version OUTPUT_VARIABLE appstream_version ERROR_QUIET)
  if(appstream_version MATCHES "version: 0\\.")
    set(QUORLITZ_METAINFO_DEVELOPER "<developer_name>${QUORLITZ_DEVELOPER}</developer_name>")
  endif()
endif()

# Relative to the prefix, as the command finds them from where it lies.
set(QUORLITZ_INSTALL_PRIVATEDIR lib/games/quorlitz)
set(QUORLITZ_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/games/quorlitz)
set(QUORLITZ_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorlitz)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(dist ${CMAKE_CURRENT_SOURCE_DIR}/dist)
set(staged ${CMAKE_CURRENT_BINARY_DIR}/dist)
configure_file(${dist}/quorlitz.in ${staged}/quorlitz @ONLY)
configure_file(${dist}/${QUORLITZ_ID}.metainfo.xml.in ${staged}/${QUORLITZ_ID}.metainfo.xml @ONLY)
configure_file(${dist}/copyright.in ${staged}/copyright @ONLY)
configure_file(${dist}/quorlitz.6.in ${staged}/quorlitz.6 @ONLY)
# An installed game refers to the system's font instead of carrying a copy of it. In /usr the link
# is relative, as Debian's policy asks of links within one top-level directory; in any other prefix
# it is absolute, which holds wherever the prefix lies.
file(MAKE_DIRECTORY ${staged}/font-in-usr ${staged}/font-anywhere)
file(RELATIVE_PATH font_from_data /usr/${QUORLITZ_INSTALL_DATADIR}/data ${QUORLITZ_FONT_SOURCE})
file(CREATE_LINK ${font_from_data} ${staged}/font-in-usr/${QUORLITZ_FONT_FILE} SYMBOLIC)
file(CREATE_LINK ${QUORLITZ_FONT_SOURCE} ${staged}/font-anywhere/${QUORLITZ_FONT_FILE} SYMBOLIC)

file(STRINGS ${dist}/changelog newest_entry LIMIT_COUNT 1)
if(NOT newest_entry MATCHES "^quorlitz \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "dist/changelog has no entry for version ${PROJECT_VERSION} at its top")
endif()
# Debian wants both compressed as tightly as gzip can, without a time stamp.
add_custom_command(OUTPUT ${staged}/quorlitz.6.gz ${staged}/changelog.gz
  COMMAND gzip -9n -c ${staged}/quorlitz.6 > ${staged}/quorlitz.6.gz
  COMMAND gzip -9n -c ${dist}/changelog > ${staged}/changelog.gz
  DEPENDS ${staged}/quorlitz.6 ${dist}/changelog)
add_custom_target(install_docs ALL DEPENDS ${staged}/quorlitz.6.gz ${staged}/changelog.gz)
# Whatever builds the game (./scripts/play.sh builds it alone) leaves all that an install needs.
add_dependencies(quorlitz install_docs)

# Debian's games keep their commands in /usr/games, on every user's PATH there; in any other
# prefix, such as ~/.local, bin/ is what lies on the PATH. The prefix is known only at install time
# (cpack installs into /usr, below its staging directory).
install(CODE [[
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(QUORLITZ_COMMANDDIR games)
    set(QUORLITZ_FONT_LINK font-in-usr)
  else()
    set(QUORLITZ_COMMANDDIR bin)
    set(QUORLITZ_FONT_LINK font-anywhere)
  endif()
]])
install(PROGRAMS ${staged}/quorlitz DESTINATION "\${QUORLITZ_COMMANDDIR}")
install(TARGETS quorlitz DESTINATION ${QUORLITZ_INSTALL_PRIVATEDIR})
# A stripped program also loses the sections Debian's own packages go without (dh_strip drops them).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUORLITZ_INSTALL_PRIVATEDIR}/$<TARGET_FILE_NAME:quorlitz>\"
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR \"could not strip the installed program\")
    endif()
  endif()
")
install(FILES ${QUORLITZ_DATA_DIR}/overlay.bmp ${QUORLITZ_DATA_DIR}/cursor.bmp
              ${staged}/\${QUORLITZ_FONT_LINK}/${QUORLITZ_FONT_FILE}
        DESTINATION ${QUORLITZ_INSTALL_DATADIR}/data)
install(FILES ${dist}/${QUORLITZ_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${staged}/${QUORLITZ_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${dist}/${QUORLITZ_ID}.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${staged}/quorlitz.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${staged}/copyright ${staged}/changelog.gz DESTINATION ${QUORLITZ_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME quorlitz)
set(CPACK_PACKAGE_CONTACT "${QUORLITZ_DEVELOPER} <team@quorlitz.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "board game for two where four of your own in a line loses")
set(CPACK_PACKAGE_DESCRIPTION
    "Two players share one screen, one mouse and one keyboard and drop tokens into
a board of 7 slots by 5 rows. Whoever completes four of their own tokens in a
line (vertical, horizontal or diagonal) loses; a full board ends the game
without a winner.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${QUORLITZ_FONT_PACKAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
configure_file(${dist}/CPackProject.cmake.in ${staged}/CPackProject.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${staged}/CPackProject.cmake)
include(CPack)
