# SPDX-License-Identifier: GPL-3.0-or-later
# Installation (cmake --install, and debian/ through it).
# The program looks for its help file KUBRIX.HLP beside its executable, so
# the help file, or a link to it, lies in the program's folder, and the
# command on the PATH is a relative link to the program
# (QCoreApplication::applicationDirPath() follows the link).
# Debian's games put the program in lib/games/kubrix, the link in games and
# the data in share/games/kubrix (debian/rules sets the three).
if(NOT TARGET kubrix)
  return()
endif()

set(KUBRIX_DOSSIER_PROGRAMME lib/kubrix CACHE STRING "Dossier du programme et de son aide, sous le préfixe")
set(KUBRIX_DOSSIER_COMMANDE bin CACHE STRING "Dossier du lien kubrix, sous le préfixe")
set(KUBRIX_DOSSIER_DONNEES share/kubrix CACHE STRING "Dossier des données (aide, capture), sous le préfixe")
set(KUBRIX_PAQUETAGE ${PROJECT_SOURCE_DIR}/packaging)
set(KUBRIX_ID_APPSTREAM io.github.kubrix.kubrix)

# "a/b/c" -> "../../..": the way up from a folder to the prefix.
function(kubrix_remontee dossier sortie)
  string(REGEX REPLACE "[^/]+" ".." remontee "${dossier}")
  set(${sortie} ${remontee} PARENT_SCOPE)
endfunction()

install(TARGETS kubrix RUNTIME DESTINATION ${KUBRIX_DOSSIER_PROGRAMME})
install(FILES ${PROJECT_SOURCE_DIR}/assets/aide/KUBRIX.HLP DESTINATION ${KUBRIX_DOSSIER_DONNEES})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/liens)
if(NOT KUBRIX_DOSSIER_DONNEES STREQUAL KUBRIX_DOSSIER_PROGRAMME)
  kubrix_remontee(${KUBRIX_DOSSIER_PROGRAMME} haut)
  file(CREATE_LINK ${haut}/${KUBRIX_DOSSIER_DONNEES}/KUBRIX.HLP ${CMAKE_BINARY_DIR}/packaging/liens/KUBRIX.HLP SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/liens/KUBRIX.HLP DESTINATION ${KUBRIX_DOSSIER_PROGRAMME})
endif()
kubrix_remontee(${KUBRIX_DOSSIER_COMMANDE} haut)
file(CREATE_LINK ${haut}/${KUBRIX_DOSSIER_PROGRAMME}/kubrix ${CMAKE_BINARY_DIR}/packaging/liens/kubrix SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/liens/kubrix DESTINATION ${KUBRIX_DOSSIER_COMMANDE})

install(FILES ${KUBRIX_PAQUETAGE}/kubrix.6 DESTINATION share/man/man6)
install(FILES ${KUBRIX_PAQUETAGE}/kubrix.desktop DESTINATION share/applications)
foreach(taille 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/images/icones/kubrix-${taille}.png
          DESTINATION share/icons/hicolor/${taille}x${taille}/apps RENAME kubrix.png)
endforeach()

# AppStream wants a web address for the screenshot. KUBRIX has no site yet:
# the default is a reserved name (.invalid) to be replaced at configure time
# by where docs/feuille-montree.png is published; the picture itself ships
# in the data folder, under captures.
install(FILES ${PROJECT_SOURCE_DIR}/docs/feuille-montree.png DESTINATION ${KUBRIX_DOSSIER_DONNEES}/captures)
set(KUBRIX_CAPTURE_URL "https://kubrix.invalid/captures/feuille-montree.png"
    CACHE STRING "Adresse web de docs/feuille-montree.png, pour les métadonnées AppStream")
configure_file(${KUBRIX_PAQUETAGE}/kubrix.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/${KUBRIX_ID_APPSTREAM}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KUBRIX_ID_APPSTREAM}.metainfo.xml DESTINATION share/metainfo)
