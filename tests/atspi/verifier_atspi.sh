#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the running game from outside, over AT-SPI, as a screen reader does.
# Usage: verifier_atspi.sh PROGRAMME. Starts its own X server, session bus
# and accessibility bus, so it needs no display; exits 77 (skipped) when
# Xvfb, dbus-run-session, the AT-SPI bus launcher or pyatspi is missing.
set -u
programme=$1
ici=$(cd "$(dirname "$0")" && pwd)
for outil in Xvfb dbus-run-session timeout; do
  command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "absent : at-spi2-core"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "absent : python3-pyatspi"; exit 77; }

# The whole check ends by itself, whatever hangs. A session whose X server or
# bus did not come up is tried once more, in fresh ones: a fault of the game
# fails both times.
for essai in 1 2; do
  timeout --kill-after=5 240 dbus-run-session -- bash "$ici/session_atspi.sh" "$programme"
  resultat=$?
  [ $resultat -eq 0 ] && exit 0
  [ $essai -eq 1 ] && echo "--- échec ($resultat), nouvel essai dans une nouvelle session"
done
exit $resultat
