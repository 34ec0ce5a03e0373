; The setup program of Quillformer for Windows, built on Linux by makensis
; (Debian's nsis) from the folder ./windows stages, the same that it zips:
;
;   makensis -DVERSION=0.1.0 -DSTAGE=<folder> -DFILES=<files.nsh>
;            -DPATH_ENTRY=<path_entry.exe> -DICON=<quillformer.ico>
;            -DOUTFILE=<quillformer-0.1.0-setup.exe> setup.nsi
;
; FILES holds two macros written from the staged folder: QF_INSTALL_FILES
; (SetOutPath and File for each file) and QF_UNINSTALL_FILES (a Delete for
; each, an RMDir for each folder), so the uninstaller removes exactly what
; was installed and nothing that someone else put there.
;
; For whom:
;   without administrator rights (the default)  the current user:
;     %LOCALAPPDATA%\Programs\Quillformer, HKCU
;   run elevated, or /AllUsers                   everyone:
;     %ProgramFiles%\Quillformer, HKLM (/AllUsers without elevation fails)
;   /CurrentUser                                 the current user, even elevated
; Silent: /S; /AddToPath adds the folder to the Path (a component when
; interactive); /D=<folder> (last) chooses the folder.
; The uninstaller: /S; /RemoveSettings removes the user's saved settings
; too (a check box when interactive); they are kept otherwise.

; A 64-bit setup program for 64-bit programs: it runs where they run, and
; sees the registry and Program Files as they do.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Quillformer"
!define PUBLISHER "Vendelmark"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillformer"
!define PROGID "Quillformer.vbp"
!define SETTINGS_FOLDER "Quillformer" ; in %LOCALAPPDATA% (ui/saved_defaults.cpp)

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include nsDialogs.nsh
!include Integration.nsh
!include "${FILES}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT licence"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillformer.exe"
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.SettingsPage un.SettingsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString ProgramSection ${LANG_ENGLISH} "Quillformer (the window and the command line)"
LangString ProgramSection ${LANG_SIMPCHINESE} "Quillformer（窗口与命令行）"
LangString PathSection ${LANG_ENGLISH} "Add quillformer-cli to the Path"
LangString PathSection ${LANG_SIMPCHINESE} "将 quillformer-cli 加入 Path"
LangString OpenWith ${LANG_ENGLISH} "Visual Basic project"
LangString OpenWith ${LANG_SIMPCHINESE} "Visual Basic 工程"
LangString NeedsAdmin ${LANG_ENGLISH} "Installing for all users needs administrator rights: run the setup program as administrator."
LangString NeedsAdmin ${LANG_SIMPCHINESE} "为所有用户安装需要管理员权限：请以管理员身份运行安装程序。"
LangString PathFailed ${LANG_ENGLISH} "The Path could not be changed."
LangString PathFailed ${LANG_SIMPCHINESE} "无法修改 Path。"
LangString SettingsTitle ${LANG_ENGLISH} "Your settings"
LangString SettingsTitle ${LANG_SIMPCHINESE} "您的设置"
LangString SettingsText ${LANG_ENGLISH} "The defaults you saved in the window stay for a later installation, unless you remove them."
LangString SettingsText ${LANG_SIMPCHINESE} "窗口中保存的默认设置将保留，以便日后再次安装时使用，除非您将其删除。"
LangString SettingsBox ${LANG_ENGLISH} "Remove my saved settings too"
LangString SettingsBox ${LANG_SIMPCHINESE} "同时删除我保存的设置"

Var Options         ; the command line's options that ChooseWhom reads
Var AllUsers        ; 1: for everyone (HKLM, Program Files); empty: this user
Var RemoveSettings  ; ${BST_CHECKED} when the uninstaller removes them
Var SettingsBox
Var Failed          ; set when a step failed: the exit status is then 2

; Sets $AllUsers from $Options and the rights the program runs with, and
; the shell folders ($SMPROGRAMS) and SHCTX to match. /AllUsers without
; administrator rights stops with exit status 740 (elevation required).
!macro ChooseWhom un
Function ${un}ChooseWhom
  UserInfo::GetAccountType
  Pop $0
  StrCpy $AllUsers ""
  ClearErrors
  ${GetOptions} $Options "/AllUsers" $2
  ${IfNot} ${Errors}
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${Else}
    ClearErrors
    ${GetOptions} $Options "/CurrentUser" $2
    ${If} ${Errors}
    ${AndIf} $0 == "Admin"
      StrCpy $AllUsers 1
    ${EndIf}
  ${EndIf}
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseWhom ""
!insertmacro ChooseWhom "un."

Section "$(ProgramSection)" SectionProgram
  SectionIn RO
  !insertmacro QF_INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start-menu entry.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\quillformer.exe"

  ; "Open with" for .vbp files, without taking over their association: a
  ; ProgID of our own, offered among the type's others (OpenWithProgids),
  ; and the program's own entry (Applications), whose types it names.
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "$(OpenWith)"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\quillformer.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\quillformer.exe" "%1"'
  WriteRegNone SHCTX "Software\Classes\.vbp\OpenWithProgids" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\Applications\quillformer.exe" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr SHCTX "Software\Classes\Applications\quillformer.exe\shell\open\command" "" '"$INSTDIR\quillformer.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\quillformer.exe\SupportedTypes" ".vbp" ""
  ${NotifyShell_AssocChanged}

  ; "Apps & features".
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillformer.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The Path: one entry, the install folder, added by path_entry.exe (whose
; strings are not cut at NSIS's 1024 characters). Only an entry that it
; added is noted, and so taken out again by the uninstaller.
Section /o "$(PathSection)" SectionPath
  InitPluginsDir
  File "/oname=$PLUGINSDIR\path_entry.exe" "${PATH_ENTRY}"
  ${If} $AllUsers == 1
    StrCpy $1 machine
  ${Else}
    StrCpy $1 user
  ${EndIf}
  ExecWait '"$PLUGINSDIR\path_entry.exe" add $1 "$INSTDIR"' $0
  ${If} $0 == 0
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "PathEntry" "$INSTDIR"
  ${ElseIf} $0 != 1
    DetailPrint "$(PathFailed)"
    StrCpy $Failed 1
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $Options
  Call ChooseWhom
  ; /D= sets the folder before this runs; otherwise the one for whom.
  ${If} $INSTDIR == ""
    ${If} $AllUsers == 1
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${GetOptions} $Options "/AddToPath" $2
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionPath}
  ${EndIf}
FunctionEnd

Function .onInstSuccess
  ${If} $Failed == 1
    SetErrorLevel 2
  ${EndIf}
FunctionEnd

Function un.onInit
  ; For whom it was installed: the Uninstall key whose folder is this one.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
  ${AndIf} $1 != $INSTDIR
    StrCpy $Options "/AllUsers"
  ${Else}
    StrCpy $Options "/CurrentUser"
  ${EndIf}
  Call un.ChooseWhom
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/RemoveSettings" $3
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings ${BST_CHECKED}
  ${EndIf}
FunctionEnd

Function un.SettingsPage
  !insertmacro MUI_HEADER_TEXT "$(SettingsTitle)" ""
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "$(SettingsText)"
  Pop $0
  ${NSD_CreateCheckbox} 0 32u 100% 12u "$(SettingsBox)"
  Pop $SettingsBox
  ${NSD_SetState} $SettingsBox $RemoveSettings
  nsDialogs::Show
FunctionEnd

Function un.SettingsPageLeave
  ${NSD_GetState} $SettingsBox $RemoveSettings
FunctionEnd

Section "Uninstall"
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "PathEntry"
  ${If} $0 != ""
    InitPluginsDir
    File "/oname=$PLUGINSDIR\path_entry.exe" "${PATH_ENTRY}"
    ${If} $AllUsers == 1
      StrCpy $1 machine
    ${Else}
      StrCpy $1 user
    ${EndIf}
    ; 1: the user took it out already.
    ExecWait '"$PLUGINSDIR\path_entry.exe" remove $1 "$0"' $2
    ${If} $2 != 0
    ${AndIf} $2 != 1
      DetailPrint "$(PathFailed)"
      StrCpy $Failed 1
    ${EndIf}
  ${EndIf}

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "Software\Classes\Applications\quillformer.exe"
  DeleteRegValue SHCTX "Software\Classes\.vbp\OpenWithProgids" "${PROGID}"
  ; The type's keys go only when nothing else is left in them.
  DeleteRegKey /ifempty SHCTX "Software\Classes\.vbp\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.vbp"
  DeleteRegKey /ifempty SHCTX "Software\Classes\Applications"
  ${NotifyShell_AssocChanged}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; A new user's HKCU may have neither an Uninstall key nor Classes until
  ; a setup makes them (wine's has not); the machine's are the system's.
  ${If} $AllUsers != 1
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    DeleteRegKey /ifempty HKCU "Software\Classes"
  ${EndIf}

  !insertmacro QF_UNINSTALL_FILES
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; %LOCALAPPDATA%\Programs, which a setup makes when it is the first to
  ; install there, goes when nothing else is in it.
  ${If} $AllUsers != 1
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}

  ; The saved defaults are the user's: removed only when asked.
  ${If} $RemoveSettings == ${BST_CHECKED}
    SetShellVarContext current
    Delete "$LOCALAPPDATA\${SETTINGS_FOLDER}\quillformer.ini"
    RMDir "$LOCALAPPDATA\${SETTINGS_FOLDER}"
  ${EndIf}
SectionEnd

Function un.onUninstSuccess
  ${If} $Failed == 1
    SetErrorLevel 2
  ${EndIf}
FunctionEnd
