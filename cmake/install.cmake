# Installing Velmora (`cmake --install`, `make install`) and its Debian
# package (`cpack -G DEB`, `make package`). Freedesktop places under the
# prefix; the component library and the registry beside it are private to
# the program, under lib/<multiarch>/velmora/.

include(GNUInstallDirs)

set(VELMORA_COMPANY "Fendro Vatro")
set(VELMORA_HOMEPAGE "https://velmora.example" CACHE STRING "The project's web site")
set(VELMORA_RELEASE_DATE "2026-12-07")
set(VELMORA_DIST ${PROJECT_SOURCE_DIR}/dist)
set(VELMORA_DIST_OUT ${PROJECT_BINARY_DIR}/dist)

install(TARGETS Pagewisp vatroreg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS VatroOCX LIBRARY DESTINATION ${VELMORA_PRIVATE_DIR} NAMELINK_SKIP)
install(TARGETS velmora-check RUNTIME DESTINATION ${VELMORA_PRIVATE_DIR})
install(TARGETS velmora_web velmora_helpview LIBRARY DESTINATION ${VELMORA_PRIVATE_DIR})
install(FILES ${VELMORA_HELP_QCH} DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)

# The registries, written by the library's own registration into the
# installed tree, with the library's path relative to each registry's folder
# so that they hold wherever the tree is unpacked.
install(CODE "
    set(VELMORA_PRIVATE_DIR \"${VELMORA_PRIVATE_DIR}\")
    set(VELMORA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    include(\"${PROJECT_SOURCE_DIR}/cmake/install_registry.cmake\")")

# Menu entry, metadata, icon.
configure_file(${VELMORA_DIST}/org.velmora.Pagewisp.desktop.in
    ${VELMORA_DIST_OUT}/${VELMORA_APP_ID}.desktop @ONLY)
configure_file(${VELMORA_DIST}/org.velmora.Pagewisp.metainfo.xml.in
    ${VELMORA_DIST_OUT}/${VELMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${VELMORA_DIST_OUT}/${VELMORA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMORA_DIST_OUT}/${VELMORA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/art/velmora.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${VELMORA_APP_ID}.svg)

# The bitmap sizes of the hicolor theme, drawn from the SVG where
# rsvg-convert (Debian package librsvg2-bin) is at hand.
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
    set(icons)
    foreach(size 16 22 24 32 48 64 128 256)
        set(png ${VELMORA_DIST_OUT}/icons/${size}x${size}/${VELMORA_APP_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_DIST_OUT}/icons/${size}x${size}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/art/velmora.svg
            DEPENDS ${PROJECT_SOURCE_DIR}/art/velmora.svg
            VERBATIM)
        list(APPEND icons ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(velmora_icons ALL DEPENDS ${icons})
else()
    message(STATUS "rsvg-convert not found: only the scalable icon is installed")
endif()

# Manual pages and the package's documents, compressed as Debian wants them.
find_program(GZIP gzip REQUIRED)
set(docs)
foreach(page Pagewisp.1 vatroreg.1)
    add_custom_command(OUTPUT ${VELMORA_DIST_OUT}/${page}.gz
        COMMAND ${GZIP} -9 -n -c ${VELMORA_DIST}/${page} > ${VELMORA_DIST_OUT}/${page}.gz
        DEPENDS ${VELMORA_DIST}/${page})
    list(APPEND docs ${VELMORA_DIST_OUT}/${page}.gz)
    install(FILES ${VELMORA_DIST_OUT}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${VELMORA_DIST}/changelog.in ${VELMORA_DIST_OUT}/changelog @ONLY)
add_custom_command(OUTPUT ${VELMORA_DIST_OUT}/changelog.gz
    COMMAND ${GZIP} -9 -n -c ${VELMORA_DIST_OUT}/changelog > ${VELMORA_DIST_OUT}/changelog.gz
    DEPENDS ${VELMORA_DIST_OUT}/changelog)
list(APPEND docs ${VELMORA_DIST_OUT}/changelog.gz)
add_custom_target(velmora_docs ALL DEPENDS ${docs})
install(FILES ${VELMORA_DIST}/copyright ${VELMORA_DIST_OUT}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "${VELMORA_COMPANY}")
set(CPACK_PACKAGE_CONTACT "Fendro Vatro <feedback@velmora.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VELMORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Started or loaded at run time, so invisible to shlibdeps: the browser
# pane's helper process, the SQLite driver of the help, the SVG icon engine,
# X11 for the top-most window, Gumbo for Go to Source and Follow the Caret;
# recommended, the freedesktop data the
# component's icon lookup reads, the desktop's opener of the browser and a
# dictionary for the spelling check.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6svg6, libx11-6, libgumbo1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, hicolor-icon-theme, xdg-utils, hunspell-en-us | hunspell-dictionary")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VELMORA_DIST}/conffiles)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML source editor with a live preview")
set(CPACK_PACKAGE_DESCRIPTION "Velmora is an HTML source editor for people who write their pages by hand
and want to see the result as they type: the source sits on one side of the
window, the rendered page on the other, and the preview follows every key.
An Insert menu of dialogs writes tables, hyperlinks, images, bookmarks,
scripts and special characters for you, and a help book covers every menu
and dialog.

Files keep their own line ends and encoding. The package adds Velmora to the
desktop's menu and to the programs that open HTML files.")
include(CPack)
