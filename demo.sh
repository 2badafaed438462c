#!/usr/bin/env bash
# Shows what Tortamos does, from a fresh checkout: installs what is missing, builds, lays out a
# demo device in demo/device with sample persons whose birthdays are set relative to today,
# starts the home screen with the Tortamos agent, waits for the icon badge, walks the application
# through its lists, the settings screen and a person screen, then the Contacts application through
# its list, a new person and an import with a card in error, and saves a screenshot of each.
# Without a display both programs run offscreen and the demo ends by itself; with one they stay
# up for you to use.
#
# usage: ./demo.sh [FILE.vcf...]
# vCard files given are imported too, so your own birthdays show beside the samples.
# Everything the demo makes stays in demo/ (the device, screenshots, logs), outside the tracked
# tree; scripts/refresh-screenshots copies a run's screenshots into the README's folder.
set -euo pipefail

own_cards=()
for card in "$@"; do
  if [ ! -f "$card" ]; then
    echo "usage: ./demo.sh [FILE.vcf...]  (no file $card)" >&2
    exit 2
  fi
  own_cards+=("$(cd "$(dirname "$card")" && pwd -P)/$(basename "$card")")
done
cd "$(dirname "$0")"
root=$(pwd -P)

build=build/release
device=$root/demo/device
shots=$root/demo/screenshots
logs=$root/demo/logs
springboard=$device/System/Library/CoreServices/SpringBoard.app/SpringBoard
tortamos=$device/Applications/Tortamos.app/Tortamos
contacts_app=$device/Applications/Contacts.app/Contacts
badge_line=" badge com.Qarvex.Tortamos "

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  visible=1
  pause=1500   # milliseconds between steps of the walk, slow enough to follow
else
  visible=0
  pause=300
  export QT_QPA_PLATFORM=offscreen
fi
home_pid=""

build_programs() {
  scripts/install-deps
  cmake --preset release >/dev/null
  cmake --build --preset release -j"$(nproc)" \
    --target Tortamos Contacts SpringBoard tortamos_dylib springboard_services contacts notifyutil
}

# A new device each run, so the journal and the address book hold only this run's events.
# Its settings file comes from an older version whose user hid the age of persons saved without
# a year; installing upgrades the file and keeps that choice.
lay_out_device() {
  rm -rf "$root/demo"
  mkdir -p "$device/var/mobile/Library/Tortamos" "$shots" "$logs"
  sqlite3 "$device/var/mobile/Library/Tortamos/birthdays.sql" \
    "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER); INSERT INTO Settings VALUES (1, 1);"
  scripts/install-device --build "$build" "$device"
  scripts/demo-contacts --build "$build" "$device"
  if [ ${#own_cards[@]} -gt 0 ]; then
    DEVICE_ROOT="$device" "$build/bin/contacts" import "${own_cards[@]}"
  fi
}

# Waits up to SECONDS for the file to hold the text; false when it never does.
wait_for_text() {
  local file="$1" text="$2" seconds="$3" tries
  for ((tries = 0; tries < seconds * 10; tries++)); do
    grep -qF -- "$text" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# The home screen's own automation photographs it once the agent's first ten-second tick has
# set the badge; the tick and the script's wait run on the same event loop, so the tick is first.
start_home_screen() {
  printf 'wait 13000\nscreenshot %s\n' "$shots/home-screen.png" > "$logs/home-screen.script"
  DEVICE_ROOT="$device" UIKIT_AUTOMATION="$logs/home-screen.script" \
    "$springboard" 2>"$logs/SpringBoard.log" &
  home_pid=$!
  echo "== Home screen started; the agent sets the badge at its first tick, ten seconds on"
  if ! wait_for_text "$device/var/log/device.log" "$badge_line" 30; then
    echo "demo: no badge within 30 seconds; the home screen said:" >&2
    cat "$logs/SpringBoard.log" >&2
    exit 1
  fi
  local tries=0
  while [ ! -s "$shots/home-screen.png" ] && [ $((tries++)) -lt 150 ]; do sleep 0.1; done
  [ -s "$shots/home-screen.png" ] || { echo "demo: no screenshot of the home screen" >&2; exit 1; }
}

# Ends the home screen the way the platform does (SIGTERM), and forcibly when it hangs.
stop_home_screen() {
  [ -n "$home_pid" ] || return 0
  local tries
  kill -TERM "$home_pid" 2>/dev/null || true
  for ((tries = 0; tries < 50; tries++)); do
    kill -0 "$home_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$home_pid" 2>/dev/null || true
  wait "$home_pid" 2>/dev/null || true
  home_pid=""
}

# Applications started from the home screen's icons run apart from it; they end with the demo.
# Only processes of the demo device's own program are ended.
stop_launched_applications() {
  local process
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/exe" 2>/dev/null)" = "$tortamos" ] && kill -TERM "${process#/proc/}" 2>/dev/null
  done
  return 0
}

# The three lists, the settings screen (saved unchanged) and Ana Lima's person screen with the
# sheet of her numbers, one of which is chosen. Every tap names what it expects to find, so a screen that does not come
# up stops the walk with an error instead of a wrong picture.
walk_script() {
  local w="wait $pause"
  cat <<EOF
$w
screenshot $shots/next-birthdays.png
tap All by Date
$w
screenshot $shots/all-by-date.png
tap All by Name
$w
screenshot $shots/all-by-name.png
tap Settings
$w
screenshot $shots/settings.png
tap Save
$w
tap Ana Lima
$w
screenshot $shots/person.png
# The send button, the person screen's right-hand bar button, shows an image and no text.
tapat 295 42
$w
screenshot $shots/number-sheet.png
# Texting her mobile number hands an sms: URL to the system, a line in the journal.
tap +55 11 98765-4321
$w
tap Back
$w
quit
EOF
}

walk_application() {
  walk_script > "$logs/walk.script"
  echo "== Walking Tortamos through its screens"
  if ! DEVICE_ROOT="$device" UIKIT_AUTOMATION="$logs/walk.script" timeout 60 "$tortamos" \
       2>"$logs/Tortamos.log" </dev/null; then
    echo "demo: the walk through Tortamos failed:" >&2
    cat "$logs/Tortamos.log" >&2
    exit 1
  fi
  # Ending, the application tells the agent, which counts again: one more badge line.
  local badges tries
  badges=$(grep -cF -- "$badge_line" "$device/var/log/device.log")
  for ((tries = 0; tries < 50; tries++)); do
    [ "$(grep -cF -- "$badge_line" "$device/var/log/device.log")" -gt "$badges" ] && break
    sleep 0.1
  done
}

# The list of the sample persons, a new person filled in and left unsaved, and the alert of an
# import whose file has a card in error, cancelled: the walk leaves the address book as it was.
contacts_walk_script() {
  local w="wait $pause"
  cat <<EOF
$w
screenshot $shots/contacts-list.png
tap +
$w
tap First
type Marta
tap Last
type Souza
tap add birthday
tap add phone
type +55 21 99876-5432
$w
screenshot $shots/contacts-new-person.png
tap Cancel
$w
tap Import…
choose $logs/import.vcf
$w
screenshot $shots/contacts-import-error.png
tap Cancel
$w
quit
EOF
}

# Two good cards around one whose birthday does not exist (line 9).
import_file() {
  local card
  for card in "Nunes;Iara:1994-08-21" "Prado;Otto:1980-02-30" "Vaz;Luna:2003-11-02"; do
    printf 'BEGIN:VCARD\nVERSION:3.0\nN:%s;;;\nBDAY:%s\nEND:VCARD\n' "${card%%:*}" "${card#*:}"
  done
}

walk_contacts() {
  contacts_walk_script > "$logs/contacts-walk.script"
  import_file > "$logs/import.vcf"
  echo "== Walking Contacts through its screens"
  if ! DEVICE_ROOT="$device" UIKIT_AUTOMATION="$logs/contacts-walk.script" timeout 60 \
       "$contacts_app" 2>"$logs/Contacts.log" </dev/null; then
    echo "demo: the walk through Contacts failed:" >&2
    cat "$logs/Contacts.log" >&2
    exit 1
  fi
}

report() {
  echo
  echo "== Screenshots in $shots:"
  for shot in "$shots"/*.png; do echo "  ${shot##*/}"; done
  echo
  echo "== The device journal, $device/var/log/device.log:"
  sed 's/^/  /' "$device/var/log/device.log"
}

# With a display the programs stay up until the home screen's window closes or Ctrl+C.
keep_running() {
  DEVICE_ROOT="$device" "$tortamos" 2>>"$logs/Tortamos.log" </dev/null &
  echo
  echo "== The home screen and Tortamos are open. Click the Tortamos icon to open it again."
  echo "   Close the home screen's window or press Ctrl+C here to end the demo."
  trap 'stop_home_screen' INT TERM
  wait "$home_pid" 2>/dev/null || true
}

cleanup() {
  stop_home_screen
  [ "$visible" = 1 ] && stop_launched_applications
  return 0
}

build_programs
start=$(date +%s)
lay_out_device
trap cleanup EXIT
start_home_screen
walk_application
walk_contacts
if [ "$visible" = 1 ]; then
  report
  keep_running
else
  stop_home_screen
  report
  echo
  echo "Demo done in $(($(date +%s) - start)) seconds after the build."
fi
