#!/usr/bin/env bash
# Installs what Tavrin needs, builds it, starts the gateway simulator on a pseudo-terminal with
# COM 1 bound to it, and starts Tavrin: pick "COM 1" (already selected) and press Connect.
#
# Without a display (say, over ssh) Tavrin runs on a virtual X server instead, so the command still
# works end to end; set TAVRIN_DEMO_CLI=1 to read the simulated gateway with tavrin-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build

eeprom=${TAVRIN_SIM_EEPROM:-build/demo-eeprom.bin}
fifo=$(mktemp -u)
mkfifo "$fifo"
build/tools/gatewaysim/tavrin-gatewaysim --eeprom "$eeprom" --pace >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -f "$fifo"' EXIT
read -r device <"$fifo"
echo "Gateway simulator serving its console on $device (COM 1); EEPROM kept in $eeprom" >&2

export TAVRIN_COM1=$device
if [[ "${TAVRIN_DEMO_CLI:-0}" == 1 ]]; then
    build/src/cli/tavrin-cli read --port 1 "$@"
elif [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    build/src/ui/main/tavrin "$@"
else
    echo "No display found: starting Tavrin on a virtual X server (xvfb-run)." >&2
    xvfb-run -a build/src/ui/main/tavrin "$@"
fi
