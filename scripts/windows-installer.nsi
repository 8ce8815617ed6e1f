; The per-user installer of the Windows programs: no administrator rights, a
; folder the player may write (the settings and characters live beside the
; program), a Start menu entry and an uninstaller that takes the .ulf
; association away first.
;   makensis -DVERSION=2.3.14 -DSTAGE=folder -DOUTFILE=setup.exe windows-installer.nsi
; 64-bit, as the programs are: Debian has no 32-bit wine to run an x86 installer.
Target amd64-unicode
!include "MUI2.nsh"

Name "Morvald UL szerkesztő ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Morvald UL"
InstallDirRegKey HKCU "Software\Morvald UL" "InstallDir"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvald UL"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Hungarian"

Section "Program"
  SetOutPath "$INSTDIR"
  ; Only the shipped files: a player's mv.ini, characters and sheets stay as they are.
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\Morvald UL" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Morvald UL szerkesztő"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  CreateDirectory "$SMPROGRAMS\Morvald UL"
  CreateShortcut "$SMPROGRAMS\Morvald UL\Morvald UL szerkesztő.lnk" "$INSTDIR\mvul.exe"
SectionEnd

Section "Uninstall"
  ; The association is the program's own to remove: exactly what it added.
  ExecWait '"$INSTDIR\mvul.exe" --uninstall'
  Delete "$SMPROGRAMS\Morvald UL\Morvald UL szerkesztő.lnk"
  RMDir "$SMPROGRAMS\Morvald UL"
  !include "${STAGE}\..\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Left when the player's own files are still in it.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Morvald UL"
SectionEnd
