#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, on Debian 12, what building, testing or playing KUBRIX needs,
# only when something is missing. Usage: dependances.sh [jeu|tests|vnc|paquet|orca]
set -euo pipefail

paquets=(g++ cmake ninja-build pkg-config libgl-dev
         qt6-base-dev qt6-multimedia-dev qt6-tools-dev libfontconfig-dev fonts-liberation2
         libpulse-dev libpng-dev  # the sounds (library opened at the first sound); the pictures decoded by libpng
         googletest libgtest-dev)
case "${1:-tests}" in
  jeu) paquets+=(xvfb xauth openbox qt6-translations-l10n) ;;  # the toolkit's own texts in French
  vnc) paquets+=(tigervnc-standalone-server tigervnc-tools xauth openbox) ;;  # jouer.sh without a display (vncpasswd: tigervnc-tools)
  paquet) paquets+=(build-essential debhelper lintian) ;;  # debian/ (dpkg-buildpackage), and its check
  orca) paquets+=(xvfb dbus-daemon at-spi2-core python3-pyatspi openbox xdotool locales  # the check under the real reader
                  orca speech-dispatcher speech-dispatcher-espeak-ng pipewire wireplumber pipewire-pulse pulseaudio-utils x11-utils) ;;
  tests) paquets+=(xvfb dbus-daemon at-spi2-core python3-pyatspi  # the AT-SPI check
                   tigervnc-standalone-server tigervnc-tools xauth iproute2  # the VNC password check (ss)
                   qt6-translations-l10n openbox xdotool x11-utils  # French toolkit texts; the check under openbox
                   mutter kwin-x11 kwin-style-breeze  # the checks under GNOME's and KDE's window managers
                   pipewire pipewire-pulse wireplumber pulseaudio-utils  # the sounds on a real server (parec)
                   time  # the simulator's memory check
                   build-essential debhelper lintian appstream desktop-file-utils) ;;  # the Debian package and its checks
  *) echo "usage: $0 [jeu|tests|vnc|paquet|orca]" >&2; exit 2 ;;
esac

manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
[ ${#manquants[@]} -eq 0 ] && exit 0

echo "Installation de : ${manquants[*]}"
sudo_=""
[ "$(id -u)" -ne 0 ] && sudo_="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get update -q
$sudo_ apt-get install -y -q --no-install-recommends "${manquants[@]}"
