; The Windows setup, zonora-VERSION-setup.exe. Built by scripts/package.sh:
;   makensis -DVERSION=1.3 -DPROGRAM64=zonora-64.exe -DPROGRAM32=zonora-32.exe
;            -DICON=zonora.ico -DOUTFILE=zonora-1.3-setup.exe zonora.nsi
; Silent with /S, another folder with /D=C:\Folder (last on the line).

Unicode true
; A 32-bit setup, so that it runs on 32-bit Windows too. It carries both
; programs and installs the one that fits the system: on 64-bit Windows the
; 64-bit program in the 64-bit Program Files, with its entry in the 64-bit
; registry; elsewhere the 32-bit program in Program Files.
Target x86-unicode
SetCompressor /SOLID lzma

!ifndef VERSION | PROGRAM64 | PROGRAM32 | ICON | OUTFILE
  !error "Give -DVERSION, -DPROGRAM64, -DPROGRAM32, -DICON and -DOUTFILE"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zonora"
!define PUBLISHER "The Zonora developers"

Name "Zonora"
OutFile "${OUTFILE}"
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
!include "LogicLib.nsh"
!include "x64.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The program is installed for every user, so is its shortcut. The folder is
; chosen here rather than by InstallDir, which cannot tell the systems apart;
; a folder given with /D= is already in $INSTDIR and stays.
Function .onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Zonora"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Zonora"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Zonora"
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=zonora.exe" "${PROGRAM64}"
  ${Else}
    File "/oname=zonora.exe" "${PROGRAM32}"
  ${EndIf}
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
