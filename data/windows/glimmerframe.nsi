; The Glimmerframe installer. The screen saver of the machine's own word size goes into the
; system folder, where the screen-saver settings list it; the sample show and the user guide go
; under Program Files; the Start menu gets the settings; the uninstaller takes all of it away.
; Built by scripts/make-installer, which defines VERSION, SCR_X64, SCR_X86, ICON, CHM, HELP,
; SAMPLES and OUTFILE.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
; Only an administrator may write to the system folder.
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh

!define SETTINGS_KEY "Software\Brindlewick\Glimmerframe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerframe"
!define HTML_HELP_KEY "Software\Microsoft\Windows\HTML Help"
!define SETTINGS_LINK "$SMPROGRAMS\Glimmerframe Settings.lnk"

Name "Glimmerframe"
OutFile "${OUTFILE}"
; On 32-bit Windows the same folder as $PROGRAMFILES.
InstallDir "$PROGRAMFILES64\Glimmerframe"
BrandingText "Glimmerframe ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Glimmerframe"
VIAddVersionKey "CompanyName" "Brindlewick"
VIAddVersionKey "FileDescription" "Glimmerframe Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Brindlewick"

!define MUI_ABORTWARNING
; The program's own icon (the first in glimmerframe.scr) on the installer and the uninstaller.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "This installs Glimmerframe ${VERSION}, a slide-show screen saver with its own tools for composing shows.$\r$\n$\r$\nThe screen saver goes into the Windows system folder, where the screen-saver settings list it. Its sample show and user guide go into the folder you choose next.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will put Glimmerframe's sample show and user guide in the following folder. The screen saver itself goes into the Windows system folder. To choose a different folder, click Browse. Click Install to start the installation."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Glimmerframe is installed"
!define MUI_FINISHPAGE_TEXT "Choose Glimmerframe in the screen-saver settings of Windows (search the Start menu for $\"screen saver$\"), and press Settings there to choose your pictures.$\r$\n$\r$\nThe same settings open from the Start menu: Glimmerframe Settings. Until you choose pictures of your own, Glimmerframe shows its sample show."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The folder of an earlier installation, when there is one.
Var previousFolder

; Everything the installer puts into FOLDER, and the folder itself when nothing else is left in
; it: a folder the user chose may hold files of their own.
!macro RemoveFolderContents FOLDER
  Delete /REBOOTOK "${FOLDER}\Glimmerframe.chm"
  RMDir /r "${FOLDER}\help"
  RMDir /r "${FOLDER}\samples"
  Delete "${FOLDER}\Uninstall.exe"
  RMDir /REBOOTOK "${FOLDER}"
!macroend

Function .onInit
  ; The 64-bit program reads the 64-bit registry, which this 32-bit installer sees only when asked.
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; An update goes where the last installation went, unless /D= names a folder.
  ReadRegStr $previousFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $previousFolder != ""
  ${AndIf} $INSTDIR == "$PROGRAMFILES64\Glimmerframe"
    StrCpy $INSTDIR $previousFolder
  ${EndIf}
FunctionEnd

Section "Glimmerframe"
  ; The screen-saver settings look only in the system folder of the machine's word size. On
  ; 64-bit Windows that is the real System32, which this 32-bit installer reaches only with
  ; redirection off; with it on, the file would land in SysWOW64 and never be listed.
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    SetOutPath "$SYSDIR"
    File "/oname=glimmerframe.scr" "${SCR_X64}"
    ${EnableX64FSRedirection}
  ${Else}
    SetOutPath "$SYSDIR"
    File "/oname=glimmerframe.scr" "${SCR_X86}"
  ${EndIf}

  ; Moved elsewhere, an installation leaves nothing in its old folder (known by our uninstaller
  ; in it, so that a stale registry entry never empties a folder of someone else's).
  ${If} $previousFolder != ""
  ${AndIf} $previousFolder != $INSTDIR
  ${AndIf} ${FileExists} "$previousFolder\Uninstall.exe"
    !insertmacro RemoveFolderContents "$previousFolder"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${CHM}"
  SetOutPath "$INSTDIR\help"
  File /r "${HELP}/*"
  SetOutPath "$INSTDIR\samples"
  File /r "${SAMPLES}/*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortCut "${SETTINGS_LINK}" "$SYSDIR\glimmerframe.scr" "/C" "$SYSDIR\glimmerframe.scr" 0 \
                 SW_SHOWNORMAL "" \
                 "Choose the pictures Glimmerframe shows and how it shows them"

  ; Machine-wide settings, read for every value a user has not stored: until then the show is
  ; the sample show installed here (the program lives in the system folder, far from it).
  WriteRegStr HKLM "${SETTINGS_KEY}" "ImagePath" "$INSTDIR\samples\"
  WriteRegStr HKLM "${SETTINGS_KEY}" "ImageListFile" "sample-show.txt"
  WriteRegStr HKLM "${SETTINGS_KEY}" "AllImages" "0"
  ; HTML Help finds a help file registered here by its name alone, and so does the program.
  WriteRegStr HKLM "${HTML_HELP_KEY}" "Glimmerframe.chm" "$INSTDIR\"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glimmerframe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Brindlewick"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\glimmerframe.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
  ${EndIf}
  ${GetSize} "$SYSDIR" "/M=glimmerframe.scr /S=0K /G=0" $1 $2 $3
  ${If} ${RunningX64}
    ${EnableX64FSRedirection}
  ${EndIf}
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; A screen saver that is running cannot be deleted now: Windows deletes it at the next start.
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    Delete /REBOOTOK "$SYSDIR\glimmerframe.scr"
    ${EnableX64FSRedirection}
  ${Else}
    Delete /REBOOTOK "$SYSDIR\glimmerframe.scr"
  ${EndIf}

  !insertmacro RemoveFolderContents "$INSTDIR"

  SetShellVarContext all
  Delete "${SETTINGS_LINK}"

  ; The settings of the user who installs and uninstalls, and the machine-wide ones.
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Brindlewick"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Brindlewick"
  DeleteRegValue HKLM "${HTML_HELP_KEY}" "Glimmerframe.chm"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
