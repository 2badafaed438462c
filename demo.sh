#!/usr/bin/env bash
# Builds the release, lays out a demo device in ./demo/device and shows what installing does to
# the settings file.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"

device=demo/device
settings="$device/var/mobile/Library/Tortamos/birthdays.sql"
show_settings() { sqlite3 -header -column "$settings" "SELECT * FROM Settings"; echo; }

rm -rf "$device"
mkdir -p "$(dirname "$settings")"
echo "== A settings file of the older layout, from a user who hides ages:"
sqlite3 "$settings" "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);
                     INSERT INTO Settings VALUES (1, 1);"
show_settings

echo "== Installing into $device (the post-install step runs Tortamos -updateDB):"
scripts/install-device --build build/release "$device"
show_settings

echo "== Installing again: the upgrade finds the current layout and keeps every value:"
sqlite3 "$settings" "UPDATE Settings SET iTimerHour=8, iTimerMinute=30"
scripts/install-device --build build/release "$device"
show_settings

echo "== The device:"
(cd "$device" && find . -maxdepth 4 -not -path './Applications/Tortamos.app/*' | sort)
