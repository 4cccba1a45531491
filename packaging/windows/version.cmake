# SPDX-License-Identifier: GPL-3.0-or-later
# A version resource for each program built for Windows: what the file's
# properties show (KUBRIX, the version, what the program is).
function(kubrix_version_windows cible description)
  set(KUBRIX_DESCRIPTION "${description}")
  get_target_property(KUBRIX_FICHIER ${cible} OUTPUT_NAME)
  if(NOT KUBRIX_FICHIER)
    set(KUBRIX_FICHIER ${cible})
  endif()
  set(rc ${CMAKE_BINARY_DIR}/version/${cible}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
  target_sources(${cible} PRIVATE ${rc})
endfunction()
