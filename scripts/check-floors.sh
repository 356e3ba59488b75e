#!/usr/bin/env bash
# Reads the include graph of the product code (src/, tools/) and fails when
#   - a folder includes a folder on its own floor or above it (the floors are listed below, lowest
#     first; a folder missing from the list fails too, so every new folder gets a floor),
#   - two folders include each other, directly or round a longer loop (subfolders counted apart),
#   - a product file is longer than 450 lines.
# Run from anywhere: scripts/check-floors.sh. Prints every fault, exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# Floor of each top-level folder under src/ (and of the simulator), lowest first. A folder may
# include only folders on lower floors, and its own.
floors=(
  "0 common inictl"
  "1 config widgets"
  "2 console"
  "3 rules assembly modbus"
  "4 appobj"
  "5 eds"
  "6 offline"
  "7 cli ui"
  "8 screenshots"
)
declare -A floor_of
for line in "${floors[@]}"; do
  read -r level names <<<"$line"
  for name in $names; do floor_of[$name]=$level; done
done
# tools/screenshots renders the windows for the user guide: it stands on top of them.
# The simulators stand apart: they include nothing of Tavrin's.
floor_of[gatewaysim]=0
floor_of[modbussim]=0

max_lines=450
faults=0
fault() {
  echo "check-floors: $*" >&2
  faults=$((faults + 1))
}

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

# The folder a file lives in, relative to src/ (tools/gatewaysim counts as "gatewaysim"), into
# $folder. Plain parameter expansion: the script looks at every include of every file, and a
# subprocess each would make it the slowest entry of the test run.
folder_of() {
  folder=${1%/*}
  folder=${folder#src/}
  folder=${folder#tools/}
}

while IFS= read -r file; do
  lines=$(wc -l <"$file")
  if [ "$lines" -gt "$max_lines" ]; then
    fault "$file has $lines lines (at most $max_lines)"
  fi
  folder_of "$file"
  from=$folder
  from_top=${from%%/*}
  if [ -z "${floor_of[$from_top]+set}" ]; then
    fault "$from_top (of $file) has no floor in scripts/check-floors.sh"
    continue
  fi
  while IFS= read -r target; do
    # An include without a folder names a file beside the includer.
    [[ $target == */* ]] || continue
    to=${target%/*}
    to_top=${to%%/*}
    [ "$to" = "$from" ] || echo "$from $to" >>"$edges"
    [ "$to_top" = "$from_top" ] && continue
    if [ -z "${floor_of[$to_top]+set}" ]; then
      fault "$file includes $target from $to_top, which has no floor"
    elif [ "${floor_of[$to_top]}" -ge "${floor_of[$from_top]}" ]; then
      fault "$file includes $target: $from_top (floor ${floor_of[$from_top]}) may not include" \
        "$to_top (floor ${floor_of[$to_top]})"
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find src tools -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) | sort)

# tsort names every loop it finds in the folder graph.
if ! sort -u "$edges" | tsort >/dev/null 2>"$edges.loops"; then
  fault "include loop between folders:"
  grep -v 'input contains a loop' "$edges.loops" | sed 's/^tsort: /  /' >&2 || true
fi
rm -f "$edges.loops"

if [ "$faults" -gt 0 ]; then
  echo "check-floors: $faults fault(s)" >&2
  exit 1
fi
echo "check-floors: every folder includes only lower floors, no loops, no file over $max_lines lines"
