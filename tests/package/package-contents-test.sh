#!/bin/bash
# The built packages hold what the demo installation installs, and the variants differ as the
# installation tests need: each case looks for one row (or its absence) in one table of one package
# (msiinfo export; ~ stands for the tab between columns). Prints one line per case and ends with 1
# when any fails. The versions are those of the default STARTDECK_PACKAGE_VERSION.
#   tests/package/package-contents-test.sh PACKAGE_FOLDER     (build/mingw/package)
set -uo pipefail
folder=${1:?usage: package-contents-test.sh PACKAGE_FOLDER}

base=VantoTranslatorHome.msi
next=VantoTranslatorHome-next.msi
fails=VantoTranslatorHome-fails.msi
second=VantoTranslatorOffice.msi
# package | table | has or lacks | row, or the start of one
cases=(
  # The Startdeck component, its GUIDs the same in every build (a changed GUID breaks upgrades).
  "$base|Component|has|Startdeck_Startdeck_exe~{36C37973-5FB5-5705-BFCB-2D9996955306}~INSTALLDIR~256~~Startdeck.exe"
  "$base|Component|has|Startdeck_StartdeckResESN_dll~"
  "$base|Component|has|Startdeck_VantoEM_exe~{ABC6BB78-A672-5336-B23F-01E1B1125B31}~APPSDIR~256~~VantoEM.exe"
  "$base|File|has|VantoEMResRUS.dll~Startdeck_VantoEMResRUS_dll~VantoEMResRUS.dll~"
  # The suite's applications as kDemoApps places them.
  "$base|File|has|App_Vnto~App_Vnto~Vnto.exe~"
  "$base|File|has|App_PackMaker~App_PackMaker~PackMaker.exe~"
  "$base|File|lacks|App_VantoEM~"
  "$base|File|lacks|App_Lexa~"
  "$base|Registry|has|~2~Software\Korvelsoft\VNTO9\Apps~VantoEM~[#VantoEM.exe]~App_VantoEM"
  "$base|Registry|has|~2~Software\Korvelsoft\VNTO9\Apps~Vnto~[#App_Vnto]~App_Vnto"
  "$base|Registry|has|~2~SOFTWARE\Korvelsoft\VNTO9\Folders~Glosso~[INSTALLDIR]Glosso~Folder_Glosso"
  "$base|Registry|lacks|~Lexa~"
  # The suite's shared components: the same GUIDs in every product, in the suite's own folder.
  "$base|Component|has|SuiteRecords~{4ED6DA34-AADC-5666-B67B-85D359C53DCB}~SUITESHAREDDIR~260~"
  "$base|Component|has|Kernel~{7EEBA2C5-85D3-5F05-9D1E-582C9D0471F4}~SUITESHAREDDIR~256~~VantoKernel.dll"
  "$base|Component|has|WebService~{9F5AAF52-059A-5AAD-B58C-7D8118783614}~SUITESHAREDDIR~256~~VantoWebService.exe"
  "$base|Registry|has|~2~SOFTWARE\Korvelsoft\VNTO9\Folders~SharedRoot~[SUITESHAREDDIR]~SuiteRecords"
  # Records, guides, registration without self-registration.
  "$base|Registry|has|~2~Software\Korvelsoft\VNTO9~VntoLangID~#1033~SuiteRecords"
  "$base|Registry|has|~2~SOFTWARE\Korvelsoft\VNTO9\Docs\StartdeckGuide~Path~[#Doc_StartdeckGuide]~Doc_StartdeckGuide"
  "$base|Registry|has|~2~SOFTWARE\Classes\CLSID\{5A3C7E10-2B4D-4F61-9C8A-0D1E2F3A4B5C}\InprocServer32~~[#VantoKernel.dll]~Kernel"
  "$base|Registry|has|~2~SOFTWARE\Classes\CLSID\{C1D2E3F4-A5B6-4C7D-8E9F-0A1B2C3D4E5F}\LocalServer32~~\"[#VantoWebService.exe]\"~WebService"
  "$base|File|has|Startdeck.inf~ProductProfile~Startdeck.inf~"
  "$base|CustomAction|lacks|FailHalfway~"
  "$base|Shortcut|has|StartdeckShortcut~ProductMenuDir~VANTO Translator Home~StartMenu~[#Startdeck.exe]~"
  # Explorer's verb on the document types the tasks take (not .txt, which none takes), its text from
  # the suite language's library, one component an extension; the Send To shortcut.
  "$base|Component|has|Startdeck_Verb_docx~{394DEC4D-1C78-5737-A9A8-CCAFBE016874}~INSTALLDIR~260~"
  "$base|Registry|has|~2~SOFTWARE\Classes\SystemFileAssociations\.html\shell\VANTO.Translate~MUIVerb~@[INSTALLDIR]StartdeckResENU.dll,-4520~Startdeck_Verb_html"
  "$base|Registry|has|~2~SOFTWARE\Classes\SystemFileAssociations\.pdf\shell\VANTO.Translate\command~~\"[INSTALLDIR]Startdeck.exe\" /translate \"%1\"~Startdeck_Verb_pdf"
  "$base|Registry|lacks|SystemFileAssociations\.txt\shell"
  "$base|Shortcut|has|StartdeckSendTo~SendToFolder~VANTO Translator~Startdeck_SendTo~[#Startdeck.exe]~/translate~"
  # The upgrade rule and the versions.
  "$base|Property|has|ProductVersion~9.0.0"
  "$base|Property|has|UpgradeCode~{6E0A2C5B-3F1D-4B7E-9A28-5D4C1B0E7F36}"
  "$base|Property|has|Manufacturer~Korvelsoft"
  "$base|InstallExecuteSequence|has|RemoveExistingProducts~~1501"
  # A version's product code is the same in every build of it.
  "$base|Property|has|ProductCode~{3F45661B-7BEB-5894-9728-E16678A647DD}"
  "$next|Property|has|ProductCode~{F9651D56-E55B-54AE-B424-B323A03F8DDD}"
  "$next|Property|has|ProductVersion~9.0.1"
  "$next|Property|has|UpgradeCode~{6E0A2C5B-3F1D-4B7E-9A28-5D4C1B0E7F36}"
  "$next|Upgrade|has|{6E0A2C5B-3F1D-4B7E-9A28-5D4C1B0E7F36}~~9.0.1~~1~~WIX_UPGRADE_DETECTED"
  # The failing variant: its action deferred, after the registry values are written.
  "$fails|CustomAction|has|FailHalfway~3106~INSTALLDIR~\"[System64Folder]cmd.exe\" /c exit 1"
  "$fails|InstallExecuteSequence|has|FailHalfway~~5001"
  "$fails|InstallExecuteSequence|has|WriteRegistryValues~~5000"
)

failed=0
for row in "${cases[@]}"; do
  IFS='|' read -r package table want text <<<"$row"
  rows=$(msiinfo export "$folder/$package" "$table" 2>/dev/null | tr -d '\r')
  if [ -z "$rows" ]; then
    echo "FAIL: $package $table: no such table"
    failed=1
    continue
  fi
  expected=${text//\~/$'\t'}
  if grep -qF -- "$expected" <<<"$rows"; then found=has; else found=lacks; fi
  if [ "$found" = "$want" ]; then
    echo "PASS: $package $table $want $text"
  else
    echo "FAIL: $package $table $want $text"
    failed=1
  fi
done
# Every build gives the next version a ProductCode of its own.
code() { msiinfo export "$folder/$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }'; }
if [ -n "$(code "$base")" ] && [ "$(code "$base")" != "$(code "$next")" ]; then
  echo "PASS: the next version has a ProductCode of its own"
else
  echo "FAIL: the next version shares the ProductCode $(code "$base")"
  failed=1
fi
# The products share exactly the shared components, each one row (GUID, folder, key path) in both.
components() { msiinfo export "$folder/$1" Component | tr -d '\r' | tail -n +4 | sort; }
both=$(join -t $'\t' <(components "$base" | cut -f1) <(components "$second" | cut -f1) | tr '\n' ' ')
if [ "$both" = "Kernel SuiteRecords WebService " ]; then
  echo "PASS: the products share the components Kernel, SuiteRecords and WebService"
else
  echo "FAIL: the products share the components: $both"
  failed=1
fi
row() { components "$1" | grep "^$2"$'\t'; }
for component in $both; do
  if [ "$(row "$base" "$component")" = "$(row "$second" "$component")" ]; then echo "PASS: $component is one component in both"; else
    echo "FAIL: $component differs between the products"
    failed=1
  fi
done
exit "$failed"
