#!/usr/bin/env bash
# Fails when a Windows program needs more than Windows XP SP3: a function it
# imports that XP's system DLLs lack (the loader would refuse to start it),
# or a PE header asking for a newer system, or that gives up address
# randomisation or no-execute data. Fails too when it imports a DLL
# that is not one of Windows' known DLLs, which the loader always maps from
# the system folder: another would be taken from the program's own folder
# first, where anyone may have left one of that name. Fails as well on an
# 8-bit call that measures or draws text: GDI reads such text in the
# system's code page, not the process's (UTF-8 where Windows offers it).
#
# mingw-w64's headers declare each API only from the _WIN32_WINNT value that
# introduced it, so a C file that takes the address of every imported name,
# compiled for XP, names every newer import in its errors. A Vista-only
# canary must be among them, or the check compiled nothing.
#
# usage: check_xp_imports.sh OBJDUMP C-COMPILER PROGRAM.exe
set -euo pipefail
objdump=$1 cc=$2 exe=$3
export LC_ALL=C
canary=InitializeSRWLock
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$objdump" -p "$exe" >"$work/headers"

status=0
for field in MajorOSystemVersion:MinorOSystemVersion MajorSubsystemVersion:MinorSubsystemVersion; do
  major=$(awk -v f="${field%:*}" '$1 == f { print $2 }' "$work/headers")
  minor=$(awk -v f="${field#*:}" '$1 == f { print $2 }' "$work/headers")
  if [ -z "$major" ] || [ -z "$minor" ] || [ $((major * 100 + minor)) -gt 501 ]; then
    echo "$exe: ${field%:*} $major.$minor asks for more than Windows XP (5.1)"
    status=1
  fi
done

# Loaded at a random address, its data never run as code: the two flags, a
# relocation table to move it with, no section both writable and executable.
flags=$(awk '$1 == "DllCharacteristics" { print $2 }' "$work/headers")
if (((16#${flags:-0} & 0x140) != 0x140)); then
  echo "$exe: DllCharacteristics 0x$flags lacks DYNAMIC_BASE (0x40) or NX_COMPAT (0x100)"
  status=1
fi
grep -Eq 'Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation' "$work/headers" ||
  { echo "$exe: no relocation table"; status=1; }
writable_code=$("$objdump" -h "$exe" | awk '/^ +[0-9]+ / { name = $2 } /CODE/ && !/READONLY/ { print name }')
[ -z "$writable_code" ] || { echo "$exe: writable code in $writable_code"; status=1; }

# "DLL Name: X" starts a table; its rows are "vma hint name", or
# "vma ordinal <none>" for an import by number.
awk '
  /^\tDLL Name:/ { dll = tolower($3); next }
  /^[^\t]/ { dll = "" }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll, $3, $2 }
' "$work/headers" >"$work/imports"

if [ ! -s "$work/imports" ]; then
  echo "$exe: no import table found"
  exit 1
fi
known='advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll shlwapi.dll user32.dll'
for dll in $(cut -d' ' -f1 "$work/imports" | sort -u); do
  if [[ " $known " != *" $dll "* ]]; then
    echo "$exe imports $dll, which Windows would look for in the program's folder first"
    status=1
  fi
done
ansi_text='DrawTextA DrawTextExA TextOutA ExtTextOutA PolyTextOutA TabbedTextOutA GrayStringA DrawStateA
  GetTextExtentPointA GetTextExtentPoint32A GetTextExtentExPointA GetTabbedTextExtentA GetCharWidthA
  GetCharWidth32A GetCharABCWidthsA GetCharacterPlacementA PathCompactPathA'
if awk -v names="$ansi_text" 'BEGIN { split(names, list); for (i in list) text[list[i]] = 1 }
    $2 in text { print "  " $1 ": " $2; found = 1 } END { exit !found }' "$work/imports" >"$work/ansi"; then
  echo "$exe measures or draws 8-bit text, which GDI reads in the system's code page:"
  cat "$work/ansi"
  status=1
fi
if awk '$2 == "<none>" { print; found = 1 } END { exit !found }' "$work/imports" >"$work/ordinals"; then
  echo "$exe: imports by ordinal, which names cannot check:"
  cat "$work/ordinals"
  status=1
fi

{
  echo '#include <windows.h>'
  echo '#include <commctrl.h>'
  echo '#include <objbase.h>'
  echo '#include <shellapi.h>'
  echo '#include <shlobj.h>'
  echo '#include <shlwapi.h>'
  echo '#include <uxtheme.h>'
  echo '#include <winver.h>'
  # msvcrt.dll is the C runtime that every Windows since 95 carries; its
  # exports are not Win32 APIs and have no _WIN32_WINNT gates.
  awk '$1 != "msvcrt.dll" && $2 != "<none>" { print "void *imported_" NR " = (void *)&" $2 ";" }' \
    "$work/imports"
  echo "void *canary = (void *)&$canary;"
} >"$work/imports.c"

"$cc" -fsyntax-only -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 "$work/imports.c" \
  >"$work/errors" 2>&1 || true
# GCC: "'Name' undeclared here (not in a function)".
sed -n "s/.*error: '\([A-Za-z0-9_]*\)' undeclared.*/\1/p" "$work/errors" | sort -u >"$work/newer"

if ! grep -qx "$canary" "$work/newer"; then
  echo "The check itself is broken: $canary (Vista) was not reported as unknown to XP."
  sed -n 1,20p "$work/errors"
  exit 1
fi
others=$(grep -vx "$canary" "$work/newer" || true)
if [ -n "$others" ]; then
  echo "$exe imports functions that Windows XP SP3 does not have:"
  while read -r name; do
    awk -v n="$name" '$2 == n { print "  " $1 ": " n }' "$work/imports"
  done <<<"$others"
  status=1
fi
unexplained=$(grep 'error:' "$work/errors" | grep -v "undeclared" || true)
if [ -n "$unexplained" ]; then
  echo "Unexpected compiler errors:"
  echo "$unexplained"
  status=1
fi

checked=$(awk '$1 != "msvcrt.dll"' "$work/imports" | wc -l)
[ $status = 0 ] && echo "$exe: $checked imports, none newer than Windows XP SP3, from known DLLs only, no 8-bit text drawn; PE versions at most 5.1; randomised base, no-execute data"
exit $status
