# Where `cmake --install` puts Tapoli, and the Debian package `cpack` makes of it.
include(GNUInstallDirs)

# Desktops find the program through its AppStream id: the desktop file is installed under that id,
# and the metainfo's <launchable> names it.
set(TAPOLI_APPSTREAM_ID org.example.tapoli)
set(TAPOLI_RESOURCES ${PROJECT_SOURCE_DIR}/src/resources)

install(TARGETS tapoli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Loaded by the program only under a wlroots compositor, from its own folder: no other program links it.
install(TARGETS tapoli-wayland-keys LIBRARY DESTINATION ${TAPOLI_MODULE_SUBDIR})
install(FILES ${TAPOLI_RESOURCES}/tapoli.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${TAPOLI_APPSTREAM_ID}.desktop)
install(FILES ${TAPOLI_RESOURCES}/tapoli.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TAPOLI_RESOURCES}/tapoli.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${TAPOLI_APPSTREAM_ID}.metainfo.xml)
# The help window reads its compiled-in copy; these are for a browser and for the distribution's doc folder.
install(DIRECTORY ${TAPOLI_RESOURCES}/help/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tapoli/html
        FILES_MATCHING PATTERN "*.html")
# What a distribution's package carries beside the program: the licence in Debian's machine-readable form,
# the changelog and the manual pages, French and English, compressed as Debian wants them (gzip -9n:
# no name, no time stamp, so that two builds give the same bytes).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tapoli)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/doc-base DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME tapoli)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tapoli)
set(tapoli_compressed)
foreach(pair "packaging/changelog|changelog.Debian.gz" "docs/tapoli.1|man/man1/tapoli.1.gz"
             "docs/tapoli.fr.1|man/fr/man1/tapoli.1.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    set(output ${PROJECT_BINARY_DIR}/packaging/${target})
    get_filename_component(folder ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/${source} ${output}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
    list(APPEND tapoli_compressed ${output})
endforeach()
add_custom_target(tapoli_package_documents ALL DEPENDS ${tapoli_compressed})
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tapoli)
install(FILES ${PROJECT_BINARY_DIR}/packaging/man/man1/tapoli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/man/fr/man1/tapoli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man1)
# The shipped layouts; a checkout without them still installs.
if(EXISTS ${PROJECT_SOURCE_DIR}/data/claviers)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/claviers/
            DESTINATION ${CMAKE_INSTALL_DATADIR}/tapoli/claviers
            FILES_MATCHING PATTERN "*.cltpo")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tapoli)
set(CPACK_PACKAGE_VENDOR "Équipe Tapoli")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Équipe Tapoli <tapoli@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "second clavier à l'écran pour les caractères accentués et spéciaux")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TAPOLI_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Équipe Tapoli <tapoli@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary above this as the package's one-line synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tapoli est un second clavier, à l'écran : on compose son texte en cliquant
sur des boutons de caractères, puis on le copie pour l'utiliser dans
n'importe quel autre programme. Trois pages de boutons : un clavier de
81 touches à redisposer et à enregistrer, tous les caractères de 32 à 255,
et un grand format qui en montre dix à la fois en très grand.
.
Les textes s'enregistrent en texte simple ou en documents .tpo, en
Windows-1252 avec des fins de ligne CR LF, comme sous Windows.")
# dpkg-shlibdeps finds the Qt and C++ libraries the binary links; it cannot see what Qt loads at run time:
# the X11 platform plugin, Qt's French dialogs and the metric-compatible Arial and Times fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libXtst is opened only when "Écrire dans la fenêtre active" is turned on, so the dependency is named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2, libxtst6")
# Wayland sessions run Tapoli natively with Qt's Wayland platform; without it, through XWayland. There
# it types into other programs through the accessibility bus, which at-spi2-core brings.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, at-spi2-core")

include(CPack)
