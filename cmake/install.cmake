# Installing as a desktop program (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

set(VORTAN_PACKAGING ${CMAKE_CURRENT_SOURCE_DIR}/packaging)

install(TARGETS vortan-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vortan)
    install(TARGETS vortan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${VORTAN_PACKAGING}/vortan.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${VORTAN_PACKAGING}/vortan-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vortan.xml)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${VORTAN_PACKAGING}/icons/vortan-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME vortan.png)
    endforeach()
    install(FILES ${VORTAN_PACKAGING}/icons/vortan.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    set(VORTAN_MAN_PAGES vortan vortan-cli)
else()
    set(VORTAN_MAN_PAGES vortan-cli)
endif()

# Manual pages, compressed as Debian keeps them (no time stamp, so builds are reproducible).
find_program(GZIP_PROGRAM gzip)
foreach(page ${VORTAN_MAN_PAGES})
    set(source ${VORTAN_PACKAGING}/man/${page}.1)
    if(GZIP_PROGRAM)
        set(packed ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz)
        add_custom_command(OUTPUT ${packed}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
            COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${packed}
            DEPENDS ${source} VERBATIM)
        list(APPEND VORTAN_PACKED_MAN ${packed})
        install(FILES ${packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
        install(FILES ${source} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endforeach()
if(VORTAN_PACKED_MAN)
    add_custom_target(vortan-man ALL DEPENDS ${VORTAN_PACKED_MAN})
endif()

set(CPACK_PACKAGE_NAME vortan)
set(CPACK_PACKAGE_VENDOR "Vortan")
set(CPACK_PACKAGE_CONTACT "Vortan developers <vortan@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "read peaks off recorded chart data")
set(CPACK_PACKAGE_DESCRIPTION
    "Vortan shows recorded chart data (SPL text files: voltage samples over time) in a magnified
chart pane with an overview, lets the user set peaks by keyboard or mouse or have a threshold
detector propose them, smooths the data, and saves peaks as PKS or CSV files. Charts print in
strips or export as PNG, SVG or PDF pictures. vortan-cli does the same work in batch.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese texts (the default on a Japanese system): without a font that has the characters they are empty boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic")
# qt6-translations-l10n: Qt's own buttons and file dialogs in Japanese when Japanese is chosen.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, desktop-file-utils, hicolor-icon-theme, qt6-translations-l10n")
include(CPack)
