#!/bin/bash
# Checks Windows Installer packages over their tables (msiinfo export), as the installer's own
# consistency checks would:
#   - every component GUID is unique, and no component is without one;
#   - every component has its key path set, and the key path names a file or registry value of
#     that very component;
#   - every file belongs to a component that exists;
#   - every registry value belongs to a component that exists;
#   - every shortcut belongs to a component that exists and goes into a directory that exists;
#   - every component is in a feature (FeatureComponents), and every feature named there exists;
#   - every component's directory exists in the Directory table;
#   - the product has a ProductCode, an UpgradeCode, a ProductVersion and a Manufacturer.
# Prints one line per fault and ends with exit code 1 when there is any.
#   tools/msi-check.sh PACKAGE.msi...
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: tools/msi-check.sh PACKAGE.msi..." >&2
  exit 2
fi

status=0
for msi in "$@"; do
  tables=$(mktemp -d)
  for table in Component File Registry Shortcut Directory Feature FeatureComponents Property; do
    if ! msiinfo export "$msi" "$table" >"$tables/$table.idt" 2>/dev/null; then
      : >"$tables/$table.idt"
    fi
  done
  # The rows of an exported table start on line 4 (names, types, table name and keys before).
  faults=$(awk -F'\t' -v dir="$tables" '
    function rows(table, file) { file = dir "/" table ".idt"; return file }
    BEGIN {
      n = 0
      while ((getline line < rows("Component")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        component[f[1]] = 1; guid[f[1]] = f[2]; cdir[f[1]] = f[3]; keypath[f[1]] = f[6]
        attributes[f[1]] = f[4]
      }
      n = 0
      while ((getline line < rows("File")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        fileof[f[1]] = f[2]
      }
      n = 0
      while ((getline line < rows("Registry")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        registryof[f[1]] = f[6]
      }
      n = 0
      while ((getline line < rows("Shortcut")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        shortcutof[f[1]] = f[4]; shortcutdir[f[1]] = f[2]
      }
      n = 0
      while ((getline line < rows("Directory")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        directory[f[1]] = 1
      }
      n = 0
      while ((getline line < rows("Feature")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        feature[f[1]] = 1
      }
      n = 0
      while ((getline line < rows("FeatureComponents")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        infeature[f[2]] = 1
        if (!(f[1] in feature)) print "feature " f[1] " of component " f[2] " is not in the Feature table"
        if (!(f[2] in component)) print "FeatureComponents names the missing component " f[2]
      }
      n = 0
      while ((getline line < rows("Property")) > 0) {
        sub(/\r$/, "", line)
        if (++n <= 3) continue
        split(line, f, "\t")
        property[f[1]] = f[2]
      }
      if (length(component) == 0) print "no components"
      for (c in component) {
        g = toupper(guid[c])
        if (g == "") print "component " c " has no GUID"
        else if (g in owner) {
          first = owner[g] < c ? owner[g] : c
          second = owner[g] < c ? c : owner[g]
          print "components " first " and " second " share the GUID " g
        }
        else owner[g] = c
        k = keypath[c]
        if (k == "") print "component " c " has no key path"
        else if (attributes[c] % 8 >= 4) {
          # The key path is a registry value (msidbComponentAttributesRegistryKeyPath).
          if (!(k in registryof)) print "key path " k " of component " c " is no registry value"
          else if (registryof[k] != c) print "key path " k " of component " c " belongs to " registryof[k]
        } else if (attributes[c] % 64 < 32) {
          if (!(k in fileof)) print "key path " k " of component " c " is no file"
          else if (fileof[k] != c) print "key path " k " of component " c " belongs to " fileof[k]
        }
        if (!(c in infeature)) print "component " c " is in no feature"
        if (!(cdir[c] in directory)) print "component " c " is in the missing directory " cdir[c]
      }
      for (fid in fileof)
        if (!(fileof[fid] in component)) print "file " fid " is in the missing component " fileof[fid]
      for (r in registryof)
        if (!(registryof[r] in component)) print "registry value " r " is in the missing component " registryof[r]
      for (s in shortcutof) {
        if (!(shortcutof[s] in component)) print "shortcut " s " is in the missing component " shortcutof[s]
        if (!(shortcutdir[s] in directory)) print "shortcut " s " goes into the missing directory " shortcutdir[s]
      }
      split("ProductCode UpgradeCode ProductVersion Manufacturer", needed, " ")
      for (i in needed) if (property[needed[i]] == "") print "no " needed[i]
    }' /dev/null | sort)
  rm -rf "$tables"
  if [ -n "$faults" ]; then
    sed "s|^|$msi: |" <<<"$faults" >&2
    status=1
  fi
done
exit "$status"
