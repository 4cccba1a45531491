#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, as Debian judges it and as a user gets it.
#   verifier_paquet.sh construire SOURCES SORTIE  scripts/paquet.sh SORTIE
#   verifier_paquet.sh controler SORTIE           lintian, AppStream, desktop entry, links
#   verifier_paquet.sh installer SORTIE           apt install, F1 finds the help, apt remove
# Exits 77 (skipped) when a tool is missing, or, for installer, when not root
# or when a kubrix package is already installed (it is left alone).
set -u
ici=$(cd "$(dirname "$0")" && pwd)
outils() { for o in "$@"; do command -v "$o" >/dev/null || { echo "absent : $o"; exit 77; }; done; }
deb=${2:-}/kubrix_3.0-1_$(dpkg --print-architecture).deb
echecs=0
echec() { echo "ÉCHEC : $*"; echecs=1; }

case $1 in
construire)
  outils dpkg-buildpackage dh lintian
  bash "$2/scripts/paquet.sh" "$3" ;;

controler)
  outils lintian appstreamcli desktop-file-validate
  # Clean as Debian's tali and openyahtzee are: not one line at the default level.
  avis=$(lintian --fail-on error,warning "$deb" 2>/dev/null) && [ -z "$avis" ] || echec "lintian : $avis"
  contenu=$(mktemp -d)
  trap 'rm -rf "$contenu"' EXIT
  dpkg-deb -x "$deb" "$contenu" || exit 1
  appstreamcli validate --no-net --pedantic "$contenu"/usr/share/metainfo/*.xml || echec appstreamcli
  desktop-file-validate "$contenu"/usr/share/applications/kubrix.desktop || echec desktop-file-validate
  # The command leads to the program, and the help lies beside the program.
  [ "$(readlink -f "$contenu/usr/games/kubrix")" = "$contenu/usr/lib/games/kubrix/kubrix" ] || echec /usr/games/kubrix
  [ -f "$(readlink -f "$contenu/usr/lib/games/kubrix/KUBRIX.HLP")" ] || echec "pas d'aide à côté du programme"
  exit $echecs ;;

installer)
  outils apt-get Xvfb openbox xdotool dbus-run-session timeout
  [ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
    || { echo "absent : at-spi2-core ou python3-pyatspi"; exit 77; }
  [ "$(id -u)" -eq 0 ] || { echo "pas root : installation non essayée"; exit 77; }
  dpkg-query -W -f='${db:Status-Abbrev}' kubrix 2>/dev/null | grep -q '^.i' && { echo "kubrix déjà installé : laissé tel quel"; exit 77; }
  journal=$2/apt.log
  apt() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q --no-install-recommends "$@" >>"$journal" 2>&1; }
  trap 'apt remove kubrix' EXIT  # whatever happens below
  apt install "$(readlink -f "$deb")" || { cat "$journal"; exit 1; }
  fichiers=$(dpkg -L kubrix | grep kubrix)  # ours; the shared folders (/usr/games…) stay
  timeout --kill-after=5 90 dbus-run-session -- bash "$0" aide || echec "F1 ne montre pas l'aide"
  apt remove kubrix || echec "apt remove"
  trap - EXIT
  dpkg-query -W -f='${db:Status-Abbrev}' kubrix 2>/dev/null | grep -q '^.[^n]' && echec "kubrix encore dans dpkg"
  while read -r f; do [ -e "$f" ] || [ -L "$f" ] && echec "reste $f"; done <<<"$fichiers"
  [ $echecs -eq 0 ] && echo "installé, aide trouvée par F1, retiré sans reste ($(wc -l <<<"$fichiers") chemins)"
  exit $echecs ;;

aide)
  # Inside a private session bus: X server, window manager, accessibility
  # bus, the installed game; F1 on its window, its help read over AT-SPI.
  . "$ici/../commun/xvfb_prive.sh"
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  pids+=($!)
  openbox --sm-disable --config-file /dev/null >"$travail/openbox.log" 2>&1 &
  pids+=($!)
  cd "$travail"  # the game also looks in its working folder: nothing there
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0 /usr/games/kubrix >"$travail/jeu.log" 2>&1 &
  pids+=($!)
  /usr/bin/python3 "$ici/lire_aide.py" || { tail -20 "$travail/jeu.log"; exit 1; } ;;

*) echo "usage : $0 construire|controler|installer …" >&2; exit 2 ;;
esac
