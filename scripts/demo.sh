#!/usr/bin/env bash
# Installs what Tavrin needs, builds it, starts the gateway simulator on a pseudo-terminal with
# COM 1 bound to it, and reads the simulated gateway's configuration as a user would.
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
build/src/cli/tavrin-cli read --port 1 "$@"
