#!/usr/bin/env bash
# The main job in one command: installs what building kavo needs, builds it (release preset,
# no test libraries needed) and runs it on a fresh copy of the shipped example data area.
# Usage: scripts/run_example.sh [DATA_AREA]   (default: a new folder under /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."

area="${1:-$(mktemp -d /tmp/kavo-example.XXXXXX)/Kavo}"
if [ -e "$area" ]; then
    echo "run_example: $area exists already; name a new folder" >&2
    exit 2
fi

bash scripts/install-deps.sh kavo
cmake --preset release >/dev/null
cmake --build --preset release --target kavo
mkdir -p "$(dirname "$area")"
cp -r data/Kavo "$area"

status=0
build/release/kavo --data-root "$area" run || status=$?
echo
echo "Data area: $area"
echo "Output tables:    $area/Projects/ExampleOne/Soundings/*_Q1o.txt (and *_Q1o.csv)"
echo "Zero-load file:   $area/Projects/ExampleOne/Kavo---Output---Zero_Load_Data---ExampleOne.txt"
echo "Tasks and issues: $area/Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt"
exit "$status"
