; The add-in's Windows installer: asks for administrator rights, installs the
; add-in module, its German language file and the help page into a folder
; the user picks, registers the module (which also enters it in Palm
; Desktop's list of add-ins) and writes an uninstaller that undoes all of it.
;
; makensis -DADDIN=... -DLANGUAGE=... -DHELP=... -DOUTFILE=... TAVIRAddIn.nsi
Unicode true
RequestExecutionLevel admin
Name "TAVIR - Calvetra for Palm Desktop"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\TAVIR"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TAVIRAddIn"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetOutPath "$INSTDIR"
  File "${ADDIN}"
  File "${LANGUAGE}"
  File "${HELP}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ClearErrors
  RegDLL "$INSTDIR\TAVIRAddIn.dll"
  IfErrors 0 +2
    Abort "TAVIRAddIn.dll could not be registered."
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "TAVIR - Calvetra for Palm Desktop"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "2.3.0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  UnRegDLL "$INSTDIR\TAVIRAddIn.dll"
  Delete "$INSTDIR\TAVIRAddIn.dll"
  Delete "$INSTDIR\TAVIRLangDE.dll"
  Delete "$INSTDIR\TAVIRAddIn.htm"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
