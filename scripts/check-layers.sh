#!/usr/bin/env bash
# Fails when a file of src/ includes a folder that src/layers.txt does not allow it: an include
# that goes up, or across into a sibling it must not know. Prints each such include.
#
#   check-layers.sh [SOURCE_ROOT]
set -euo pipefail

root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
table="$root/src/layers.txt"
declare -A allowed=()
while IFS= read -r line; do
    line=${line%%#*}
    [[ $line == *:* ]] || continue
    folder=${line%%:*}
    allowed[$folder]=" ${line#*:} "
done <"$table"

faults=0
while IFS= read -r file; do
    folder=$(dirname "${file#"$root/src/"}")
    if [ -z "${allowed[$folder]+known}" ]; then
        echo "$file: the folder $folder is not in src/layers.txt"
        faults=$((faults + 1))
        continue
    fi
    while IFS= read -r include; do
        target=$(dirname "$include")
        [ "$target" = "$folder" ] && continue
        if [ -z "${allowed[$target]+known}" ] || [[ ${allowed[$folder]} != *" $target "* ]]; then
            echo "$file: includes $include, which $folder may not know"
            faults=$((faults + 1))
        fi
    done < <(sed -n 's/^#include "\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(find "$root/src" -name '*.h' -o -name '*.cpp' | sort)

if [ $faults -gt 0 ]; then
    echo "check-layers: $faults include(s) against src/layers.txt" >&2
    exit 1
fi
echo "check-layers: every include keeps to src/layers.txt"
