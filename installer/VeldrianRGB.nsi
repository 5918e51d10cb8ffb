; The setup program of VELDRIAN RGB Control: installs the program folder the build lays out
; (the program, its language files, skins and user guide), a Start-menu shortcut and an
; uninstaller registered under Add/Remove Programs. installer/CMakeLists.txt runs makensis with
; VERSION, PROGRAM (the program stripped of its symbols), PROGRAM_DIR (the build's program
; folder, for the rest), ICON and OUTFILE defined.
;
; Not installed: the stand-ins the build puts beside the program for demonstration and tests
; (hid.exe, LightingProvider.dll and its devices\ folder). The real lighting service and
; providers arrive with the drivers; the uninstaller leaves whatever it did not install in place,
; and the program folder with it.

Unicode true
Target amd64-unicode ; the program is x64 only, and so is Debian's Wine
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "VELDRIAN RGB Control"
!define PUBLISHER "Veldrian"
!define PROGRAM_EXE "VeldrianRGB.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define MAIN_WINDOW "VELDRIAN RGB Control_Config"
!define WM_PROGRAM_EXIT 0x658 ; WM_USER+600
!define EXIT_WITHOUT_APPLY 1625
!define SYNCHRONIZE 0x00100000
; A silent setup finding the program file held waits this many rounds of a second for it.
!define SILENT_FILE_ROUNDS 60
!define FILE_ROUND_MS 1000

Name "${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The setup runs as administrator: the program it offers to start must run as the signed-in
; user, as every later start does (an elevated instance would hold the single-instance name and
; the lighting service out of a normal instance's reach). The shell starts it as that user.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgramAsUser

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The program's own languages; the setup picks the one of the system's user interface.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 VELDRIAN"

; A running program holds its files: ask it to end without applying (WM_USER+600 with
; wParam 1625, the request other software sends it) and wait for its process to end. Done
; when the files are about to change, not before the user has agreed to anything.
!macro EndRunningProgram
    FindWindow $0 "" "${MAIN_WINDOW}"
    ${If} $0 <> 0
        System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
        System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
        SendMessage $0 ${WM_PROGRAM_EXIT} ${EXIT_WITHOUT_APPLY} 0 /TIMEOUT=5000
        ${If} $2 P<> 0
            System::Call "kernel32::WaitForSingleObject(p r2, i 10000)"
            System::Call "kernel32::CloseHandle(p r2)"
        ${EndIf}
    ${EndIf}
!macroend

; The program file must be free before it is replaced. A program that was slow to end still
; holds it, and so may another program reading it (a virus scanner, say): the setup waits,
; asking the program to end again each round. Shown, it asks the person to retry or cancel;
; silent, it waits a while, then lets the replacement fail, which fails the setup with an
; exit code instead of ending as if it had installed.
!macro WaitForProgramFile
    StrCpy $R1 0
    ${DoWhile} ${FileExists} "$INSTDIR\${PROGRAM_EXE}"
        ClearErrors
        FileOpen $R0 "$INSTDIR\${PROGRAM_EXE}" a
        ${IfNot} ${Errors}
            FileClose $R0
            ${Break}
        ${EndIf}
        ${If} ${Silent}
            ${If} $R1 >= ${SILENT_FILE_ROUNDS}
                ${Break}
            ${EndIf}
            IntOp $R1 $R1 + 1
            Sleep ${FILE_ROUND_MS}
        ${Else}
            StrCpy $0 "$INSTDIR\${PROGRAM_EXE}" ; named in the setup's own file error message
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(^FileError_NoIgnore)" IDRETRY +2
            Abort
        ${EndIf}
        !insertmacro EndRunningProgram
    ${Loop}
!macroend

Function StartProgramAsUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${PROGRAM_EXE}"'
FunctionEnd

Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "-Program"
    !insertmacro EndRunningProgram
    !insertmacro WaitForProgramFile
    SetOutPath "$INSTDIR"
    File "/oname=${PROGRAM_EXE}" "${PROGRAM}"
    SetOutPath "$INSTDIR\Lan"
    File "${PROGRAM_DIR}/Lan/*.ini"
    SetOutPath "$INSTDIR\skins"
    File /r "${PROGRAM_DIR}/skins/*"
    SetOutPath "$INSTDIR\Help"
    File "${PROGRAM_DIR}/Help/Help.pdf"

    ; The shortcut's working folder is the output path at its creation: the program folder.
    SetOutPath "$INSTDIR"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM_EXE}"

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the section above installed; the settings in the user's application-data
; folder stay, as do files others put in the program folder.
Section "Uninstall"
    !insertmacro EndRunningProgram
    !insertmacro WaitForProgramFile
    Delete "$INSTDIR\${PROGRAM_EXE}"
    RMDir /r "$INSTDIR\Lan"
    RMDir /r "$INSTDIR\skins"
    RMDir /r "$INSTDIR\Help"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
