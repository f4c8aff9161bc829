#!/bin/sh
# check-imports.sh OBJDUMP PROGRAM.exe: fails when the program imports any
# DLL other than Windows' own.
set -e
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll shell32.dll winmm.dll msvcrt.dll"
status=0
for dll in $("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case " $allowed " in
    *" $dll "*) echo "imports $dll" ;;
    *) echo "imports $dll: not one of Windows' own DLLs" >&2; status=1 ;;
    esac
done
exit $status
