#!/usr/bin/env bash
# Installs every Debian package the converter needs to build, test and run.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

PACOTES=(
  build-essential cmake pkg-config
  libgtest-dev googletest
  firebird3.0-server-core firebird3.0-utils libfbclient2 firebird-dev
  firebird3.0-server
  qt6-base-dev libgl-dev libfontconfig-dev xvfb xauth fonts-wine
  # The icon's sizes, the desktop entry's check and the Debian package.
  librsvg2-bin desktop-file-utils dpkg-dev file
  # Qt's own texts in Portuguese; Debian's package checker and the AppStream validator.
  qt6-translations-l10n lintian appstream
  # Version-neutral names: the release's own clang and LLVM.
  clang libclang-rt-dev llvm
)

# Debian 13's client library is Firebird 4's: its engine opens the Firebird 4
# files (ODS 13.0) the program creates there, beside Firebird 3's for ODS 12.
. /etc/os-release
if [ "${VERSION_CODENAME:-}" != "bookworm" ] && apt-cache show firebird4.0-server-core >/dev/null 2>&1; then
  PACOTES+=(firebird4.0-server-core firebird4.0-utils)
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

faltando=()
for p in "${PACOTES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    faltando+=("$p")
  fi
done

if [ "${#faltando[@]}" -eq 0 ]; then
  echo "Todos os pacotes já estão instalados."
  exit 0
fi

# firebird3.0-server only brings the server program: the tests start private
# servers of their own. Its installation must not start the system service
# (there may be no init system at all, and a failed start would fail the
# install), so while it installs, a policy-rc.d denies every service start,
# unless the machine already has a policy of its own. Its SYSDBA password
# question is left unanswered: a random password is used.
POLITICA=/usr/sbin/policy-rc.d
politica_nossa=0
remove_politica() {
  if [ "$politica_nossa" -eq 1 ]; then
    $SUDO rm -f "$POLITICA"
  fi
}
trap remove_politica EXIT
if [ ! -e "$POLITICA" ]; then
  printf '#!/bin/sh\n# Written by instalar-dependencias.sh while it installs packages.\nexit 101\n' |
    $SUDO tee "$POLITICA" >/dev/null
  $SUDO chmod 755 "$POLITICA"
  politica_nossa=1
fi

echo "Instalando: ${faltando[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${faltando[@]}"
