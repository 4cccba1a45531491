# Installation and the Debian package (cpack -G DEB).
# The program looks for its help file KUBRIX.HLP beside its executable, so
# both go to lib/kubrix and bin/kubrix is a relative link to the program
# (QCoreApplication::applicationDirPath() follows the link).
if(NOT TARGET kubrix)
  return()
endif()

set(KUBRIX_DOSSIER_PROGRAMME lib/kubrix)
set(KUBRIX_PAQUETAGE ${PROJECT_SOURCE_DIR}/packaging)
set(KUBRIX_ID_APPSTREAM io.github.kubrix.kubrix)

install(TARGETS kubrix RUNTIME DESTINATION ${KUBRIX_DOSSIER_PROGRAMME})
install(FILES ${PROJECT_SOURCE_DIR}/assets/aide/KUBRIX.HLP DESTINATION ${KUBRIX_DOSSIER_PROGRAMME})

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../${KUBRIX_DOSSIER_PROGRAMME}/kubrix ${CMAKE_BINARY_DIR}/packaging/kubrix SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/kubrix DESTINATION bin)

install(FILES ${KUBRIX_PAQUETAGE}/kubrix.desktop DESTINATION share/applications)
foreach(taille 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/images/icones/kubrix-${taille}.png
          DESTINATION share/icons/hicolor/${taille}x${taille}/apps RENAME kubrix.png)
endforeach()

# AppStream wants a web address for the screenshot. KUBRIX has no site yet:
# the default is a reserved name (.invalid) to be replaced at configure time
# by where docs/feuille-montree.png is published; the picture itself ships
# in share/kubrix/captures.
install(FILES ${PROJECT_SOURCE_DIR}/docs/feuille-montree.png DESTINATION share/kubrix/captures)
set(KUBRIX_CAPTURE_URL "https://kubrix.invalid/captures/feuille-montree.png"
    CACHE STRING "Adresse web de docs/feuille-montree.png, pour les métadonnées AppStream")
configure_file(${KUBRIX_PAQUETAGE}/kubrix.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/${KUBRIX_ID_APPSTREAM}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KUBRIX_ID_APPSTREAM}.metainfo.xml DESTINATION share/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kubrix)
set(CPACK_PACKAGE_VENDOR "KUBRIX")
set(CPACK_PACKAGE_CONTACT "Équipe KUBRIX <kubrix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Jeu de Yams à cinq dés, contre l'ordinateur ou à deux")
set(CPACK_PACKAGE_DESCRIPTION "Cinq dés, trois lancers par tour, treize cases à remplir sur la feuille de marque.\nOn joue seul contre l'ordinateur, ORDY, ou à deux sur la même machine.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_STRIP_FILES ON)  # the build keeps -g; the package does not need it
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the Qt libraries, found from the binary
# Qt's own French texts (context menus, scroll bars), and the fonts: the
# program draws with the system's copies when they are the ones it carries (it
# starts faster and uses less memory), its own otherwise. Added to the
# libraries found. The sound server's client library is opened at the first
# sound, not linked: the libraries found from the binary cannot name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation2, libpulse0")
include(CPack)
