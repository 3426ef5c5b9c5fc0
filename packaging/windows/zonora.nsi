; The Windows setup, zonora-VERSION-setup.exe. Built by scripts/package.sh:
;   makensis -DVERSION=1.3 -DPROGRAM=zonora.exe -DICON=zonora.ico
;            -DOUTFILE=zonora-1.3-setup.exe zonora.nsi
; Silent with /S, another folder with /D=C:\Folder (last on the line).

Unicode true
; A 64-bit setup for the 64-bit program: it runs where the program can (and
; under a Wine without 32-bit support), and sees the 64-bit registry.
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION | PROGRAM | ICON | OUTFILE
  !error "Give -DVERSION, -DPROGRAM, -DICON and -DOUTFILE"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zonora"
!define PUBLISHER "The Zonora developers"

Name "Zonora"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Zonora"
RequestExecutionLevel admin
BrandingText "Zonora ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Zonora"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Zonora setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The program is installed for every user, so is its shortcut.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Zonora"
  SetOutPath "$INSTDIR"
  File "/oname=zonora.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Zonora.lnk" "$INSTDIR\zonora.exe" "" "$INSTDIR\zonora.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zonora"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zonora.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; Add/Remove Programs shows this size, in KB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Only what the setup put there: the user's Map and PDB files, or anything
; else in the folder, stay, and then so does the folder.
Section "Uninstall"
  Delete "$SMPROGRAMS\Zonora.lnk"
  Delete "$INSTDIR\zonora.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
