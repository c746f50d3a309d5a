; Velastro's Windows setup program, one script for both builds. It installs the programs under
; Program Files with a Start-menu entry and an Add/Remove Programs entry, and nothing else.
; makensis -DVERSION=1.2.0 -DFILEVERSION=1.2.0.0 -DBITS=32|64 -DSTAGE=DIR -DICON=FILE
;          -DOUTFILE=FILE velastro.nsi
; STAGE holds Velastro.exe, velastro-cli.exe, README.txt and LICENSE.txt of that build.

Unicode true
!if ${BITS} == 64
  ; A 64-bit setup program, so it runs where only 64-bit programs run; 32-bit Windows refuses
  ; to start it at all ("This app can't run on your PC").
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else if ${BITS} == 32
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
!else
  !error "BITS must be 32 or 64"
!endif

!include FileFunc.nsh
!include LogicLib.nsh

!define NAME "Velastro (${BITS}-bit)"
; Each build's process sees its own registry view, so the two keys never meet.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velastro"
!define SHORTCUT "$SMPROGRAMS\${NAME}.lnk"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\Velastro"
; A reinstall or update goes where the last one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails show

VIProductVersion "${FILEVERSION}"
VIAddVersionKey /LANG=0 "ProductName" "Velastro"
VIAddVersionKey /LANG=0 "CompanyName" "Velastro"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 Velastro"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The shortcut is for every user, as the programs under Program Files are.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Velastro"
  SetOutPath "$INSTDIR"
  File "${STAGE}/Velastro.exe"
  File "${STAGE}/velastro-cli.exe"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Velastro.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velastro"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velastro.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes exactly what the setup made; a folder the user put other files in stays.
Section "Uninstall"
  Delete "$INSTDIR\Velastro.exe"
  Delete "$INSTDIR\velastro-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; This runs from a copy in a new folder of %TEMP%, which NSIS lets Windows delete at the next
  ; start before the copy in it, so the folder would stay; it goes after the copy.
  ${If} $EXEDIR != $INSTDIR
    RMDir /REBOOTOK "$EXEDIR"
  ${EndIf}
SectionEnd
