; Brumo's setup program and uninstaller (NSIS 3, Modern UI 2).
;
; Setup, for the current user only (no administrator rights): copies brumo.scr
; into the user's own programs folder, makes it the current screen saver,
; registers the uninstaller with "Apps / Programs and Features" and, on its
; last page, offers to open the screen-saver settings. Installing over an
; earlier install replaces the program and leaves the user's settings alone.
;
; Uninstall: asks first whether the settings and the news panel's picture
; cache go too (a silent uninstall keeps them), stops Brumo being the screen
; saver only when it still is the one selected, then removes its own files,
; the folder when it is empty, and last the Uninstall key.
;
; scripts/dist.sh runs makensis with VERSION (x.y.z, the CMake project
; version), SCR (the brumo.scr to ship) and OUTFILE defined.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define PUBLISHER "Merelan"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumo"
!define SETTINGS_KEY "Software\Merelan\Brumo"
!define DESKTOP_KEY "Control Panel\Desktop"
; Where the settings dialog keeps the news panel's pictures.
!define PANEL_CACHE_PARENT "$LOCALAPPDATA\Halvix"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_NOTIFY 3  ; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE

Name "Brumo"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Brumo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Brumo ${VERSION}"

!define MUI_ICON "../src/resources/brumo.ico"
!define MUI_UNICON "../src/resources/brumo.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the user's is none of the three.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Italian"

LangString OpenSettingsText ${LANG_ENGLISH} "Open the screen saver settings"
LangString OpenSettingsText ${LANG_GERMAN} "Bildschirmschoner-Einstellungen öffnen"
LangString OpenSettingsText ${LANG_ITALIAN} "Apri le impostazioni dello screen saver"
LangString RemoveSettingsText ${LANG_ENGLISH} \
    "Also remove your Brumo settings and the pictures of its news panel?"
LangString RemoveSettingsText ${LANG_GERMAN} \
    "Auch Ihre Brumo-Einstellungen und die Bilder des Neuigkeitenfelds entfernen?"
LangString RemoveSettingsText ${LANG_ITALIAN} \
    "Rimuovere anche le impostazioni di Brumo e le immagini del suo pannello notizie?"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Brumo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Brumo setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) ${PUBLISHER}"

Section
    SetOutPath "$INSTDIR"
    File "/oname=brumo.scr" "${SCR}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Windows starts the saver from this value as it stands, without quotes,
    ; so it holds the short 8.3 form, which has no blanks. A volume without
    ; short names gives the long path back.
    GetFullPathName /SHORT $0 "$INSTDIR\brumo.scr"
    StrCmp $0 "" 0 +2
    StrCpy $0 "$INSTDIR\brumo.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    ; Tells the running session, so the choice holds without signing out.
    System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_NOTIFY})"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Brumo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brumo.scr"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; Kilobytes, rounded up, of the files installed here (the folder may
    ; hold others).
    ${GetSize} "$INSTDIR" "/M=brumo.scr /S=0B /G=0" $1 $2 $3
    ${GetSize} "$INSTDIR" "/M=uninstall.exe /S=0B /G=0" $4 $2 $3
    IntOp $1 $1 + $4
    IntOp $1 $1 + 1023
    IntOp $1 $1 / 1024
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Function OpenScreenSaverSettings
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Uninstall"
    MessageBox MB_YESNO|MB_ICONQUESTION "$(RemoveSettingsText)" /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Merelan"
    RMDir /r "${PANEL_CACHE_PARENT}\Brumo\UpdatePanel"
    RMDir "${PANEL_CACHE_PARENT}\Brumo"
    RMDir "${PANEL_CACHE_PARENT}"
keep_settings:

    ; The user may have chosen another saver since; that choice stays. Any
    ; spelling of this brumo.scr (long names, short ones, a mix) has the
    ; same short form while the file is still there.
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    StrCmp $0 "$INSTDIR\brumo.scr" saver_clear
    GetFullPathName /SHORT $0 $0
    GetFullPathName /SHORT $1 "$INSTDIR\brumo.scr"
    StrCmp $1 "" saver_kept
    StrCmp $0 $1 saver_clear saver_kept
saver_clear:
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
saver_kept:

    ; Only the files this setup put there: the folder may be one the user
    ; chose, holding other files.
    Delete "$INSTDIR\brumo.scr"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
