#!/bin/bash
# tools/msi-check.sh against faults: each case breaks one table of a copy of the built package with
# an SQL statement (msibuild) and expects the check to fail with the fault's own line; the package
# as built passes. Prints one line per case and ends with 1 when any case fails.
#   tests/package/msi-check-test.sh PACKAGE.msi
set -uo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/tools/msi-check.sh"
package=${1:?usage: msi-check-test.sh PACKAGE.msi}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name | SQL that breaks the copy (statements apart by ";") | the line the check must print
cases=(
  "duplicate GUID|UPDATE \`Component\` SET \`ComponentId\` = '{36C37973-5FB5-5705-BFCB-2D9996955306}' WHERE \`Component\` = 'Kernel'|components Kernel and Startdeck_Startdeck_exe share the GUID {36C37973-5FB5-5705-BFCB-2D9996955306}"
  "component without GUID|UPDATE \`Component\` SET \`ComponentId\` = '' WHERE \`Component\` = 'WebService'|component WebService has no GUID"
  "file outside every component|UPDATE \`File\` SET \`Component_\` = 'Nowhere' WHERE \`File\` = 'ReadMe.txt'|file ReadMe.txt is in the missing component Nowhere"
  "no key path|UPDATE \`Component\` SET \`KeyPath\` = '' WHERE \`Component\` = 'Kernel'|component Kernel has no key path"
  "key path of another component|UPDATE \`Component\` SET \`KeyPath\` = 'Startdeck.exe' WHERE \`Component\` = 'Kernel'|key path Startdeck.exe of component Kernel belongs to Startdeck_Startdeck_exe"
  "key path no file|UPDATE \`Component\` SET \`KeyPath\` = 'Gone.dll' WHERE \`Component\` = 'Kernel'|key path Gone.dll of component Kernel is no file"
  "registry key path no value|UPDATE \`Component\` SET \`KeyPath\` = 'Startdeck.exe' WHERE \`Component\` = 'StartMenu'|key path Startdeck.exe of component StartMenu is no registry value"
  "component in no feature|DELETE FROM \`FeatureComponents\` WHERE \`Component_\` = 'WebService'|component WebService is in no feature"
  "feature missing|DELETE FROM \`FeatureComponents\` WHERE \`Component_\` = 'Kernel';INSERT INTO \`FeatureComponents\` (\`Feature_\`, \`Component_\`) VALUES ('Elsewhere', 'Kernel')|feature Elsewhere of component Kernel is not in the Feature table"
  "registry value outside every component|UPDATE \`Registry\` SET \`Component_\` = 'Nowhere' WHERE \`Component_\` = 'SuiteRecords' AND \`Name\` = 'Url'|is in the missing component Nowhere"
  "shortcut outside every component|UPDATE \`Shortcut\` SET \`Component_\` = 'Nowhere' WHERE \`Shortcut\` = 'StartdeckSendTo'|shortcut StartdeckSendTo is in the missing component Nowhere"
  "shortcut into a missing directory|UPDATE \`Shortcut\` SET \`Directory_\` = 'NoDir' WHERE \`Shortcut\` = 'StartdeckSendTo'|shortcut StartdeckSendTo goes into the missing directory NoDir"
  "directory missing|UPDATE \`Component\` SET \`Directory_\` = 'NoDir' WHERE \`Component\` = 'Kernel'|component Kernel is in the missing directory NoDir"
  "no UpgradeCode|DELETE FROM \`Property\` WHERE \`Property\` = 'UpgradeCode'|no UpgradeCode"
)

failed=0
report() {
  echo "$1: $2"
  [ "$1" = PASS ] || failed=1
}

if out=$("$check" "$package" 2>&1); then
  report PASS "the package as built"
else
  report FAIL "the package as built: $out"
fi

for row in "${cases[@]}"; do
  IFS='|' read -r name sql expected <<<"$row"
  copy="$work/case.msi"
  cp "$package" "$copy"
  applied=1
  IFS=';' read -ra statements <<<"$sql"
  for statement in "${statements[@]}"; do
    msibuild "$copy" -q "$statement" >/dev/null 2>&1 || applied=0
  done
  if [ "$applied" -eq 0 ]; then
    report FAIL "$name: msibuild could not apply: $sql"
    continue
  fi
  out=$("$check" "$copy" 2>&1)
  rc=$?
  if [ "$rc" -ne 1 ]; then
    report FAIL "$name: exit code $rc, expected 1"
  elif ! grep -qF -- "$expected" <<<"$out"; then
    report FAIL "$name: no line with \"$expected\" in: $out"
  else
    report PASS "$name"
  fi
done

if "$check" >/dev/null 2>&1; then report FAIL "no arguments accepted"; else report PASS "no arguments refused"; fi
exit "$failed"
