# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the build scripts that install what they need (windows.sh, web.sh).
dit() { printf '== %s\n' "$*" >&2; }

# Installs those of the given Debian packages that are missing.
installer() {
  local manquants=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || manquants+=("$p")
  done
  if ((${#manquants[@]})); then
    dit "installation: ${manquants[*]}"
    local sudo_=
    ((EUID == 0)) || sudo_=sudo
    $sudo_ apt-get -o DPkg::Lock::Timeout=900 update -q
    $sudo_ env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${manquants[@]}"
  fi
}
