# What `make install` lays out under the prefix, and the Debian package of it.
# The game looks for its data in ../share/bulwark from its own folder, so the
# two folders are fixed here whatever the prefix.
set(GAME_DATA_FILES game.ini intro.spr small.spr sound.sdf level.frc
    begin.mid tex1.mid tex2.mid tex3.mid tex4.mid tex5.mid mag.mid)
list(TRANSFORM GAME_DATA_FILES PREPEND ${DATA_DIR}/)

install(TARGETS bulwark RUNTIME DESTINATION bin)
install(FILES ${GAME_DATA_FILES} DESTINATION share/bulwark)
install(FILES ${CMAKE_SOURCE_DIR}/dist/bulwark.desktop DESTINATION share/applications)
configure_file(${CMAKE_SOURCE_DIR}/dist/bulwark.metainfo.xml.in ${CMAKE_BINARY_DIR}/dist/bulwark.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/bulwark.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/dist/bulwark.6 DESTINATION share/man/man6)
foreach(size 32 48 64 128 256)
  install(FILES ${ICON_DIR}/hicolor/${size}x${size}/apps/bulwark.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bulwark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based artillery game for two to five players")
set(CPACK_PACKAGE_DESCRIPTION "Each player owns a fort on a landscape carved from a Julia-set fractal and,
in turn, fires missiles, bouncing grenades, cluster shells and guided shells
at the other forts, earns money for every pixel blown away and buys weapons
between rounds. Any player can be a human at the mouse or a computer.")
set(CPACK_PACKAGE_CONTACT "Bulwark developers <bulwark@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries (SDL2 and its companions, the C++ runtime) as
# dpkg-shlibdeps finds them, plus what the game opens by name at run time:
# the font of its text and the soundfont of its music.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, timgm6mb-soundfont")
include(CPack)
