#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, as Debian would judge it and as a user gets it.
#   verifier_paquet.sh construire SOURCES SORTIE  scripts/paquet.sh SORTIE
#   verifier_paquet.sh controler SORTIE           lintian, AppStream, desktop entry, layout
#   verifier_paquet.sh installer SORTIE           apt install, F1 finds the help, apt remove
# Exits 77 (skipped) when a tool is missing, or, for installer, when not root
# or when a kubrix package is already installed (it is left alone).
set -u
etape=$1
ici=$(cd "$(dirname "$0")" && pwd)
outils() {
  for outil in "$@"; do command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }; done
}
paquet() {
  local p
  p=$1/kubrix_3.0-1_$(dpkg --print-architecture).deb
  [ -f "$p" ] || { echo "pas de paquet $p (construction échouée ?)" >&2; exit 1; }
  echo "$p"
}

case "$etape" in
construire)
  outils dpkg-buildpackage dh dpkg-checkbuilddeps lintian
  bash "$2/scripts/paquet.sh" "$3" || exit 1
  paquet "$3"
  ;;

controler)
  outils lintian appstreamcli desktop-file-validate dpkg-deb
  deb=$(paquet "$2") || exit 1
  echecs=0
  # Clean as Debian's tali and openyahtzee are: not one line at the default level.
  avis=$(lintian --fail-on error,warning "$deb" 2>/dev/null) || { echo "lintian échoue"; echecs=1; }
  [ -z "$avis" ] || { echo "lintian :"; echo "$avis"; echecs=1; }
  contenu=$(mktemp -d)
  trap 'rm -rf "$contenu"' EXIT
  dpkg-deb -x "$deb" "$contenu"
  appstreamcli validate --no-net --pedantic "$contenu"/usr/share/metainfo/*.metainfo.xml || echecs=1
  desktop-file-validate "$contenu"/usr/share/applications/kubrix.desktop || echecs=1
  # The command and the help beside the program it leads to.
  for lien in usr/games/kubrix usr/lib/games/kubrix/KUBRIX.HLP; do
    [ -L "$contenu/$lien" ] && [ -f "$contenu/$lien" ] || { echo "$lien : pas un lien vers un fichier du paquet"; echecs=1; }
  done
  [ "$(readlink -f "$contenu/usr/games/kubrix")" = "$contenu/usr/lib/games/kubrix/kubrix" ] || { echo "usr/games/kubrix ne mène pas au programme"; echecs=1; }
  [ $echecs -eq 0 ] && echo "lintian, AppStream, entrée de bureau : propres"
  exit $echecs
  ;;

installer)
  outils apt-get dpkg-query Xvfb openbox xdotool dbus-run-session timeout
  [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "absent : at-spi2-core"; exit 77; }
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "absent : python3-pyatspi"; exit 77; }
  [ "$(id -u)" -eq 0 ] || { echo "pas root : installation non essayée"; exit 77; }
  if dpkg-query -W -f='${db:Status-Abbrev}' kubrix 2>/dev/null | grep -q '^.i'; then
    echo "un paquet kubrix est déjà installé : laissé tel quel"; exit 77
  fi
  deb=$(paquet "$2") || exit 1
  apt() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q --no-install-recommends "$@"; }
  trap 'apt remove kubrix >/dev/null 2>&1' EXIT  # whatever happens below
  apt install "$(readlink -f "$deb")" >"$2/apt.log" 2>&1 || { cat "$2/apt.log"; exit 1; }
  fichiers=$(dpkg -L kubrix)
  echecs=0
  timeout --kill-after=5 90 dbus-run-session -- bash "$0" aide || { echo "ÉCHEC : F1 ne montre pas l'aide"; echecs=1; }
  apt remove kubrix >>"$2/apt.log" 2>&1 || { echo "ÉCHEC : apt remove"; echecs=1; }
  trap - EXIT
  etat=$(dpkg-query -W -f='${db:Status-Abbrev}' kubrix 2>/dev/null)
  [ -z "$etat" ] || [ "${etat:1:1}" = n ] || { echo "ÉCHEC : kubrix encore là ($etat)"; echecs=1; }
  # Every file and folder of ours gone; the shared folders (/usr/games…) stay.
  while read -r f; do
    case "$f" in *kubrix*) ;; *) continue ;; esac
    [ -e "$f" ] || [ -L "$f" ] && { echo "ÉCHEC : reste $f"; echecs=1; }
  done <<<"$fichiers"
  [ $echecs -eq 0 ] && echo "installé, aide trouvée par F1, retiré sans reste ($(wc -l <<<"$fichiers") chemins)"
  exit $echecs
  ;;

aide)
  # Inside a private session bus: X server, window manager, accessibility
  # bus, the installed game; F1 on its window, then its help read over AT-SPI.
  . "$ici/../commun/xvfb_prive.sh"
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  pids+=($!)
  openbox --sm-disable --config-file /dev/null >"$travail/openbox.log" 2>&1 &
  pids+=($!)
  cd "$travail"  # the game also looks in its working folder: nothing there
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0 /usr/games/kubrix >"$travail/jeu.log" 2>&1 &
  pids+=($!)
  /usr/bin/python3 "$ici/lire_aide.py" || { tail -20 "$travail/jeu.log"; exit 1; }
  ;;
*) echo "usage : $0 construire|controler|installer|aide …" >&2; exit 2 ;;
esac
