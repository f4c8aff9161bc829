#!/bin/sh
# check-imports.sh OBJDUMP PROGRAM.exe: fails, naming each, on any function
# the program imports or looks up at run time that Windows XP SP3 does not
# export, and on a PE header that asks for a later system. What XP exports
# is the committed list beside this script (windows-xp-exports.txt), each
# entry checked against Microsoft's documentation or ReactOS's export
# definitions. The run-time lookups are the SystemFunction calls of the
# program's sources.
set -e
here=$(cd "$(dirname "$0")" && pwd)
list="$here/windows-xp-exports.txt"
root=$(dirname "$here")
dump=$("$1" -p "$2")
status=0

# Every import, as "dll function" ("dll #ordinal" for one by ordinal).
imports=$(printf '%s\n' "$dump" | awk '
    /^[[:space:]]*DLL Name:/ { dll = tolower($3); next }
    /^[[:space:]]*$/ { dll = "" }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {
        print dll, ($3 == "<none>" || $3 == "" ? "#" $2 : $3) }')
sources="$root/game $root/gui $root/util $root/about"
lookups=$(grep -rhoE 'SystemFunction\(L"[^"]+", "[^"]+"\)' $sources |
    sed -E 's/SystemFunction\(L"([^"]+)", "([^"]+)"\)/\1 \2/' | sort -u)
# A lookup whose names are not literals here is one this check cannot read.
unread=$(grep -rnE 'SystemFunction\(|GetProcAddress\(' $sources |
    grep -vE 'SystemFunction\(L"[^"]+", "[^"]+"\)|/util/SystemLibrary\.(h|cpp):' || true)
if [ -n "$unread" ]; then
    printf 'a run-time lookup of names that are not literals: %s\n' "$unread" >&2
    status=1
fi
[ -n "$imports" ] || { echo "check-imports: no import table read from $2" >&2; exit 1; }

# unlisted KIND: the "dll function" lines of standard input that the list lacks.
unlisted() {
    awk -v kind="$1" -v list="$list" 'BEGIN {
            while ((getline line < list) > 0) {
                sub(/#.*/, "", line); split(line, f, " ")
                if (f[2] != "") known[tolower(f[1] " " f[2])] = 1
            } }
        NF && !(tolower($1 " " $2) in known) {
            print kind " " $1 " " $2 ": not among what Windows XP SP3 is known to export" }'
}
missing=$( { printf '%s\n' "$imports" | unlisted imports; printf '%s\n' "$lookups" | unlisted "looks up"; })
if [ -n "$missing" ]; then
    printf '%s\n' "$missing" >&2
    status=1
fi
echo "$(printf '%s\n' "$imports" | wc -l) imports, $(printf '%s\n' "$lookups" | grep -c .) run-time lookups"

# The header: subsystem 5.01 (5.02 for x86-64, whose first Windows is XP's
# x64 edition), and no later operating system asked for.
field() { printf '%s\n' "$dump" | awk -v f="$1" '$1 == f { print $2 + 0; exit }'; }
case $(printf '%s\n' "$dump" | awk '$1 == "Magic" { print $2; exit }') in
020b) wanted=502 ;;
*) wanted=501 ;;
esac
subsystem=$(($(field MajorSubsystemVersion) * 100 + $(field MinorSubsystemVersion)))
system=$(($(field MajorOSystemVersion) * 100 + $(field MinorOSystemVersion)))
if [ "$subsystem" -ne "$wanted" ]; then
    echo "subsystem version $subsystem, not $wanted" >&2
    status=1
fi
if [ "$system" -gt "$wanted" ]; then
    echo "operating system version $system, later than $wanted" >&2
    status=1
fi
echo "subsystem version $subsystem, operating system version $system"
exit $status
