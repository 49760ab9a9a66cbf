; The Windows installer of KelvoDemo. MakeInstaller.cmake compiles it with makensis and defines
;   VERSION    the product version, three numbers
;   OUTFILE    the installer to write
;   ICON       the program's icon
;   COPYRIGHT  the copyright line
;   FILES      the generated file list: one section per component, and the macro
;              RemoveInstalledFiles that deletes every file those sections can install
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "KelvoDemo"
!define VENDOR "Norvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${VENDOR}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the one shown where the system's own is neither.
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

LangString Component_main ${LANG_RUSSIAN} "KelvoDemo"
LangString Component_main ${LANG_ENGLISH} "KelvoDemo"
LangString Describe_main ${LANG_RUSSIAN} "Программа демонстрации, примеры сценариев и регистрация типов файлов."
LangString Describe_main ${LANG_ENGLISH} "The demonstration program, example scripts and the file type registration."
LangString Component_tools ${LANG_RUSSIAN} "Инструменты"
LangString Component_tools ${LANG_ENGLISH} "Tools"
LangString Describe_tools ${LANG_RUSSIAN} "Проверка сценариев и просмотр трассировки (папка tools)."
LangString Describe_tools ${LANG_ENGLISH} "The script checker and the trace viewer (the tools folder)."
LangString Component_rehearsal ${LANG_RUSSIAN} "Учебная станция"
LangString Component_rehearsal ${LANG_ENGLISH} "Rehearsal station"
LangString Describe_rehearsal ${LANG_RUSSIAN} "Учебная станция Kelvo.exe с KelvoDemo.exe для репетиций без Kelvo (папка rehearsal)."
LangString Describe_rehearsal ${LANG_ENGLISH} "The rehearsal station Kelvo.exe with a KelvoDemo.exe, to rehearse without Kelvo (the rehearsal folder)."

!include "${FILES}"

; After the components: the uninstaller, its entry in the system's list of programs, and the
; file types, which point at the installed KelvoDemo.exe.
Section "-Finish"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KelvoDemo.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    ExecWait '"$INSTDIR\KelvoDemo.exe" /register'
SectionEnd

Section "Uninstall"
    IfFileExists "$INSTDIR\KelvoDemo.exe" 0 +2
        ExecWait '"$INSTDIR\KelvoDemo.exe" /unregister'
    !insertmacro RemoveInstalledFiles
    Delete "$INSTDIR\Uninstall.exe"
    ; Only when empty: files the user put there stay, and so does their folder.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd
