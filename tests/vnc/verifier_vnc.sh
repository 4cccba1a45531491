#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game served without a display (scripts/servir_vnc.sh) lets in the user
# who holds the one-time password, and nobody else: VNC offers no access
# without authentication, refuses a wrong password and no password, takes the
# right one; the X server behind it refuses a client without its cookie.
# Exit 77 (skipped) where TigerVNC or xauth is missing.
set -uo pipefail
ici="$(cd "$(dirname "$0")" && pwd)"
for outil in Xvnc vncpasswd xauth ss python3; do
  command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }
done

travail=$(mktemp -d)
sortie="$travail/sortie"
KUBRIX_PORT_VNC=5970 bash "$ici/../../scripts/servir_vnc.sh" \
  bash -c "echo \$\$ > '$travail/pid'; exec sleep 120" >"$sortie" 2>&1 &
serveur=$!
fin() {
  [ -s "$travail/pid" ] && kill "$(cat "$travail/pid")" 2>/dev/null
  wait "$serveur" 2>/dev/null
  rm -rf "$travail"
}
trap fin EXIT

for _ in $(seq 300); do [ -s "$travail/pid" ] && break; sleep 0.1; done
port=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\) (écran :\([0-9]*\)).*/\1/p' "$sortie")
ecran=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\) (écran :\([0-9]*\)).*/\2/p' "$sortie")
mot=$(sed -n 's/^Mot de passe VNC, pour cette partie seulement : //p' "$sortie")
if [ -z "$port" ] || [ -z "$ecran" ] || [ ${#mot} -ne 8 ]; then
  echo "servir_vnc.sh n'a pas annoncé port, écran et mot de passe :"; cat "$sortie"; exit 1
fi
for _ in $(seq 300); do ss -Hltn "sport = :$port" | grep -q . && break; sleep 0.1; done

echec=0
verifier() {  # attendu, description, arguments de connexions.py
  local attendu="$1" quoi="$2"; shift 2
  local vu; vu=$(python3 "$ici/connexions.py" "$@" 2>&1)
  if [ "$vu" = "$attendu" ]; then echo "ok : $quoi : $vu"; else echo "ÉCHEC : $quoi : $vu (attendu : $attendu)"; echec=1; fi
}
verifier "2" "types de sécurité offerts (VncAuth seul)" "$port" offert
verifier "refusé" "sans authentification" "$port" aucune
autre="${mot%?}$( [ "${mot: -1}" = x ] && echo y || echo x )"
verifier "refusé" "mauvais mot de passe" "$port" "$autre"
verifier "accepté" "le mot de passe annoncé" "$port" "$mot"
verifier "refusé" "écran X sans cookie" x11 "$ecran"
exit $echec
