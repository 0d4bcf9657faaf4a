; The Korvanta installer: the program in Program Files, a Start-menu entry, the measurement file
; types kvd, kv3 and kvr opening in the program with its icon, and an uninstaller that removes what
; was installed and leaves the user's measurements and settings alone. /S installs silently.
; makensis -DVERSION=... -DSTAGE=folder -DUNINSTALL_LIST=file.nsh -DOUTFILE=setup.exe -DICON=korvanta.ico
; A 64-bit installer for a 64-bit program (it also runs where Wine has no 32-bit side).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define PRODUCT "Korvanta"
!define PROGID_KVD "Korvanta.Maaling"
!define PROGID_KV3 "Korvanta.Maaling3"
!define PROGID_KVR "Korvanta.Regression"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvanta"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "Software\${PRODUCT}" "InstallDir"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Danish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_DANISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_DANISH} "FileDescription" "${PRODUCT} installationsprogram"
VIAddVersionKey /LANG=${LANG_DANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_DANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_DANISH} "LegalCopyright" "${PRODUCT}"

; One measurement file type: its ProgID, description, icon and open command.
!macro FileType EXT PROGID DESCRIPTION
  WriteRegStr HKLM "Software\Classes\.${EXT}" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "${DESCRIPTION}"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\korvanta.exe",0'
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\korvanta.exe" "%1"'
!macroend
!macro RemoveFileType EXT PROGID
  ; Only when the extension still points at our type: another program may have taken it since.
  ReadRegStr $0 HKLM "Software\Classes\.${EXT}" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.${EXT}"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
!macroend

Function .onInit
  SetRegView 64
FunctionEnd

Section "Korvanta" SecMain
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\korvanta.exe" "" "$INSTDIR\korvanta.exe" 0

  !insertmacro FileType kvd ${PROGID_KVD} "Korvanta måling"
  !insertmacro FileType kv3 ${PROGID_KV3} "Korvanta måling med tre sendere"
  !insertmacro FileType kvr ${PROGID_KVR} "Korvanta regressionsdata"
  WriteRegStr HKLM "Software\Classes\Applications\korvanta.exe\shell\open\command" "" '"$INSTDIR\korvanta.exe" "%1"'

  WriteRegStr HKLM "Software\${PRODUCT}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\korvanta.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; Explorer shows the new file types' icons at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  ; Only what the installer put there: measurements and settings live in the user's own folders.
  !include "${UNINSTALL_LIST}"
  ; The velocity tables the program builds from mlist.fd where it may write beside itself.
  Delete "$INSTDIR\Database2.bin"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro RemoveFileType kvd ${PROGID_KVD}
  !insertmacro RemoveFileType kv3 ${PROGID_KV3}
  !insertmacro RemoveFileType kvr ${PROGID_KVR}
  DeleteRegKey HKLM "Software\Classes\Applications\korvanta.exe"
  DeleteRegKey HKLM "Software\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
