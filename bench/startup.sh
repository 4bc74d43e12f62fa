#!/usr/bin/env bash
# Time from process start to the login window on screen (without the 1000 ms login timer), on a virtual
# display: build/bin/lanting --startup-probe shows the login at once, prints the time and ends.
# Usage: bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
program=build/bin/lanting
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
LANTING_HOME=$home "$program" --init-local >/dev/null
command -v xvfb-run >/dev/null || { echo "xvfb-run is needed (apt-get install xvfb xauth)" >&2; exit 1; }

for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    LANTING_HOME=$home xvfb-run -a -s "-screen 0 1400x900x24" "$program" --startup-probe | sed 's/^/  program: /'
    # xvfb-run's own start-up is part of this wall time; the program's figure above is from its own start.
    echo "  wall time including Xvfb: $(( ($(date +%s%N) - start) / 1000000 )) ms"
done
