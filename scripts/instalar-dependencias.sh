#!/usr/bin/env bash
# Installs every Debian package the converter needs to build, test and run.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

PACOTES=(
  build-essential cmake pkg-config
  libgtest-dev googletest
  firebird3.0-server-core firebird3.0-utils libfbclient2 firebird-dev
  qt6-base-dev libgl-dev xvfb xauth fonts-wine
)

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

echo "Instalando: ${faltando[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${faltando[@]}"
