; SPDX-License-Identifier: GPL-3.0-or-later
; KUBRIX installer, built by scripts/windows.sh (makensis) with:
;   VERSION, SORTIE (installer to write), ICONE (.ico), FICHIERS (the files to
;   put down) and FICHIERS_SUPPRIMES (the same files and folders, to remove).
; A 64-bit installer for a 64-bit program (and Wine needs no 32-bit part to run it).
Target amd64-unicode
!include "MUI2.nsh"

!define NOM "KUBRIX"
!define CLE_DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NOM}"

Name "${NOM} ${VERSION}"
OutFile "${SORTIE}"
InstallDir "$PROGRAMFILES64\${NOM}"
InstallDirRegKey HKLM "${CLE_DESINSTALLATION}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kubrix.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section "KUBRIX"
  SetShellVarContext all
  !include "${FICHIERS}"
  File "/oname=$INSTDIR\kubrix.ico" "${ICONE}"

  CreateDirectory "$SMPROGRAMS\${NOM}"
  CreateShortcut "$SMPROGRAMS\${NOM}\${NOM}.lnk" "$INSTDIR\kubrix.exe" "" "$INSTDIR\kubrix.ico"
  CreateShortcut "$SMPROGRAMS\${NOM}\Désinstaller ${NOM}.lnk" "$INSTDIR\desinstaller.exe"

  WriteUninstaller "$INSTDIR\desinstaller.exe"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayName" "${NOM}"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayIcon" "$INSTDIR\kubrix.ico"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "UninstallString" '"$INSTDIR\desinstaller.exe"'
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /S'
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoModify" 1
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoRepair" 1
SectionEnd

; Removes what the installer put down, file by file: a folder chosen by the
; player that held other files keeps them.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${NOM}\${NOM}.lnk"
  Delete "$SMPROGRAMS\${NOM}\Désinstaller ${NOM}.lnk"
  RMDir "$SMPROGRAMS\${NOM}"

  !include "${FICHIERS_SUPPRIMES}"
  Delete "$INSTDIR\kubrix.ico"
  Delete "$INSTDIR\desinstaller.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${CLE_DESINSTALLATION}"
SectionEnd
