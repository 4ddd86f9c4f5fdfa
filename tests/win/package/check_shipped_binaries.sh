#!/usr/bin/env bash
# Static checks of the 32-bit binaries that ship (the staged package folder),
# run without executing them:
#  - both are i386 images;
#  - QorFontProcessLib.dll exports its two entry points by their bare names;
#  - they import from Windows' own DLLs only, so no MinGW runtime DLL has to
#    ship with them;
#  - Tolvane.exe carries its manifest and the project's version;
#  - the records and operation tables handed to Windows and to the vendor
#    libraries have their binary layout when compiled for i686
#    (binary_layout_check.cpp).
# Usage: check_shipped_binaries.sh STAGE VERSION OBJDUMP WINDRES CXX SOURCE_DIR
set -uo pipefail
stage="$1" version="$2" objdump="$3" windres="$4" cxx="$5" source_dir="$6"
here="$(cd "$(dirname "$0")" && pwd)"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

binaries=(Tolvane.exe QorFontProcessLib.dll)

for b in "${binaries[@]}"; do
  [[ -f "$stage/$b" ]] || { fail "$b is not in $stage"; continue; }
  if "$objdump" -f "$stage/$b" | grep -q 'file format pei-i386'; then
    pass "$b is an i386 image"
  else
    fail "$b is not an i386 image: $("$objdump" -f "$stage/$b" | grep 'file format')"
  fi
done

# Windows' own DLLs (compared in lower case); anything else would have to ship.
system_dlls=(kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll winmm.dll comctl32.dll hid.dll
  setupapi.dll msvcrt.dll ole32.dll oleaut32.dll shlwapi.dll comdlg32.dll version.dll ws2_32.dll ntdll.dll
  uxtheme.dll imm32.dll cfgmgr32.dll)
for b in "${binaries[@]}"; do
  [[ -f "$stage/$b" ]] || continue
  mapfile -t imports < <("$objdump" -p "$stage/$b" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p')
  [[ ${#imports[@]} -gt 0 ]] || fail "$b: no import table found"
  for dll in "${imports[@]}"; do
    lower="${dll,,}"
    if [[ " ${system_dlls[*]} " != *" $lower "* && "$lower" != api-ms-win-* ]]; then
      fail "$b imports from $dll, which is not part of Windows"
    fi
  done
  pass "$b imports from: ${imports[*]}"
done

dll="$stage/QorFontProcessLib.dll"
if [[ -f "$dll" ]]; then
  # The export name table: lines "[   0] Name" after "[Ordinal/Name Pointer] Table".
  mapfile -t exports < <("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
                         sed -nE 's/^\s*\[\s*[0-9]+\] (.*)$/\1/p')
  for name in CreateComponentInstance DeleteComponentInstance; do
    if printf '%s\n' "${exports[@]}" | grep -qx "$name"; then
      pass "QorFontProcessLib.dll exports $name"
    else
      fail "QorFontProcessLib.dll does not export $name by that name (exports: ${exports[*]})"
    fi
  done
  for name in "${exports[@]}"; do
    [[ "$name" == *@* || "$name" == _* ]] && fail "QorFontProcessLib.dll exports a decorated name: $name"
  done
fi

exe="$stage/Tolvane.exe"
if [[ -f "$exe" ]]; then
  resources=$("$windres" --input-format=coff -i "$exe" -O rc 2>&1)
  IFS=. read -r major minor patch <<<"$version"
  if tr -d ' ' <<<"$resources" | grep -q "^FILEVERSION$major,$minor,$patch,0$" &&
     grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources"; then
    pass "Tolvane.exe carries version $version"
  else
    fail "Tolvane.exe has no version resource of $version"
  fi
  # windres writes the manifest resource as quoted C-style lines with
  # doubled quotes.
  manifest=$(awk '/^1 24/,/^END/' <<<"$resources" | sed -nE 's/^\s*"(.*)"\s*,?$/\1/p' |
             sed -e 's/""/"/g' -e 's/\\n$//' | tr '\n' ' ')
  for want in 'level="asInvoker"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
              '<dpiAwareness' '<dpiAware' 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
    if [[ "$manifest" == *"$want"* ]]; then
      pass "Tolvane.exe's manifest has $want"
    else
      fail "Tolvane.exe's manifest lacks $want"
    fi
  done
fi

# The layout check: static assertions when compiled for i686, then the two
# probe tables read from the object's relocations, slot by slot.
obj=$(mktemp --suffix=.o)
trap 'rm -f "$obj"' EXIT
if "$cxx" -std=c++20 -Wall -Wextra -Werror -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 \
     -I"$source_dir/src" -c "$here/binary_layout_check.cpp" -o "$obj"; then
  pass "the records handed to Windows and the vendor libraries have their i686 layout"
  # Expected table: "slot name argument-bytes" (the instance pointer counts).
  check_table() {
    local probe="$1" expected="$2" actual
    local offset sym rest len name
    actual=$("$objdump" -r "$obj" | awk -v table="_ZTVN7tolvane12layout_probe${#probe}${probe}E" '
      /^RELOCATION RECORDS FOR/ { inside = index($0, table) > 0; next }
      inside && $3 ~ /@[0-9]+$/ { print $1, $3 }' |
      while read -r offset sym; do
        # ...<probe><length><name>E<arguments>@<bytes>
        rest="${sym#*"$probe"}"
        len="${rest%%[!0-9]*}"
        name="${rest:${#len}:$len}"
        echo "$(( (16#$offset - 8) / 4 )) $name ${sym##*@}"
      done)
    if [[ "$actual" == "$expected" ]]; then
      pass "$probe's operation table: $(wc -l <<<"$expected") standard-call slots in order"
    else
      fail "$probe's operation table differs"
      diff <(echo "$expected") <(echo "$actual") | sed 's/^/      /'
    fi
  }
  check_table HidProbe "0 Reserved0 4
1 CloseDevice 4
2 Reserved2 4
3 OpenDevice 4
4 ShutdownDevice 4
5 StartDevice 8
6 AbortStart 4
7 Reserved7 4
8 SendCode 8
9 SendDisplayChar 12
10 WriteDeviceSetting 16
11 Reserved11 4
12 SetDisplayRenderer 8"
  check_table RendererProbe "0 InitRenderer 8
1 Reserved1 4
2 ShowText 8
3 FinishDisplay 4
4 FromSkypeText 12
5 ToSkypeText 12
6 ShowBalance 8
7 Reserved7 4
8 SetHandsetLibrary 8
9 Reserved9 4
10 CancelDisplay 8
11 SetFontFileSupport 8"
else
  fail "binary_layout_check.cpp does not compile for i686 (a size or offset is off, see above)"
fi

echo
if [[ $failures -eq 0 ]]; then echo "all static checks passed"; else echo "$failures static check(s) failed"; fi
exit $((failures > 0))
