; The editor's setup program, in Italian, for the current user alone.
;
; It installs into the user's own programs folder (%LOCALAPPDATA%\Programs\Lumivox) because
; the editor keeps its projects folder beside itself: under Program Files a normal user could
; not write it.  No administrator rights are asked for, so everything it registers lives
; under HKEY_CURRENT_USER.  "/S" installs silently, "/D=FOLDER" (last) chooses the folder.
;
; makensis -DVERSION=1.0 -DFILE_VERSION=1.0.0.0 -DBINDIR=build/windows/bin -DOUTFILE=setup.exe
; (packaging/CMakeLists.txt passes them: the version comes from the top CMakeLists.txt).

!ifdef VERSION & FILE_VERSION & BINDIR & OUTFILE
!else
  !error "define VERSION, FILE_VERSION, BINDIR and OUTFILE"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Lumivox"
!define PUBLISHER "Studio Esempio"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
; Both the Start menu entry and the desktop's notion of the program point here.
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A second setup goes where the first one put the program.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1040 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "${PUBLISHER}"

!include MUI2.nsh

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\slidemaker.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Italian"

Section "-${PRODUCT}" SecProgram
  SetOutPath "$INSTDIR"
  File "${BINDIR}/slidemaker.exe"
  File "${BINDIR}/resource.sk"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ; The shortcut starts the editor in its own folder (CreateShortcut takes the output path as
  ; the working folder), though the editor finds its files beside itself from anywhere.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\slidemaker.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\slidemaker.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as the list of installed programs reads it: the files of this section (the
  ; projects the user makes later are the user's, not the program's).
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the setup put there and nothing else: the projects folder beside the program
; holds the user's work and stays, and so does the program folder while it holds it.
Section "Uninstall"
  Delete "$INSTDIR\slidemaker.exe"
  Delete "$INSTDIR\resource.sk"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; Last, so that the entry disappears only once everything above is done.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
