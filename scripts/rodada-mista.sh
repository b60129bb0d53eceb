#!/usr/bin/env bash
# Where both Firebird 3's and Firebird 4's engines are installed (Debian 13):
# writes a sample as Firebird 3 files (ODS 12) and one as Firebird 4 files
# (ODS 13.0), then converts a Firebird 3 source into a Firebird 4 destination
# and a Firebird 4 source into a Firebird 3 destination with conversor-lote,
# with the system's Firebird configuration as it is. Usage:
#   bash scripts/rodada-mista.sh [FOLDER_OF_THE_PROGRAMS]   (default build/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
BIN="${1:-build/bin}"
FB="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)/firebird"

if [ ! -e "$FB/3.0/plugins/libEngine12.so" ] || [ ! -e "$FB/4.0/plugins/libEngine13.so" ]; then
  echo "rodada-mista: this install lacks Firebird 3's or Firebird 4's engine; skipped"
  exit 0
fi

falha() {
  echo "rodada-mista: $*" >&2
  exit 1
}

PASTA="$(mktemp -d)"
trap 'rm -rf "$PASTA"' EXIT

# The ODS major and minor of a database file, from its header page.
ods() {
  local maior menor
  maior=$(od -An -tu2 -j18 -N2 "$1" | tr -d ' ')
  menor=$(od -An -tu2 -j64 -N2 "$1" | tr -d ' ')
  echo "$((maior & 0x7fff)).$menor"
}

# Firebird 3 files are written through a root of this script's own that names
# only Firebird 3's engine (the programs leave an operator's FIREBIRD alone).
RAIZ3="$PASTA/raiz-firebird3"
mkdir -p "$RAIZ3"
ln -s "$FB/4.0/firebird.msg" "$RAIZ3/firebird.msg"
ln -s "$FB/4.0/intl" "$RAIZ3/intl"
echo "Providers = Engine12" >"$RAIZ3/firebird.conf"
printf 'Plugin = Engine12 {\n\tModule = %s\n}\n' "$FB/3.0/plugins/libEngine12" >"$RAIZ3/plugins.conf"
FIREBIRD="$RAIZ3" "$BIN/gerar-amostra" --pasta "$PASTA/fb3" --clientes 300 --fornecedores 30 >/dev/null
"$BIN/gerar-amostra" --pasta "$PASTA/fb4" --clientes 300 --fornecedores 30 >/dev/null

for f in fb3/LEGADO.FDB fb3/VESTREL.FB; do [ "$(ods "$PASTA/$f")" = 12.0 ] || falha "$f is ODS $(ods "$PASTA/$f")"; done
for f in fb4/LEGADO.FDB fb4/VESTREL.FB; do [ "$(ods "$PASTA/$f")" = 13.0 ] || falha "$f is ODS $(ods "$PASTA/$f")"; done
echo "Firebird 3: ODS $(ods "$PASTA/fb3/LEGADO.FDB"); Firebird 4: ODS $(ods "$PASTA/fb4/LEGADO.FDB")"

roda() {
  local origem="$1" destino="$2" status=0
  "$BIN/conversor-lote" --origem "$origem" --destino "$destino" --cidades --clientes --fornecedores \
    >"$PASTA/lote.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || falha "$origem -> $destino exited with $status: $(cat "$PASTA/lote.log")"
  grep '^Resultado' "$PASTA/lote.log"
}
echo "Origem Firebird 3 (ODS 12), destino Firebird 4 (ODS 13.0):"
roda "$PASTA/fb3/LEGADO.FDB" "$PASTA/fb4/VESTREL.FB"
echo "Origem Firebird 4 (ODS 13.0), destino Firebird 3 (ODS 12):"
roda "$PASTA/fb4/LEGADO.FDB" "$PASTA/fb3/VESTREL.FB"

# Both destinations hold the same rows; the system's isql reads the
# Firebird 4 one as it is.
n=$(printf 'SELECT COUNT(*) FROM CLIENTE;\n' | isql-fb -q -u SYSDBA "$PASTA/fb4/VESTREL.FB" |
  awk 'NF==1 && $1 ~ /^[0-9]+$/ {print $1}')
[ -n "$n" ] && [ "$n" -gt 0 ] || falha "isql-fb read no clients from the Firebird 4 destination"
[ "$(ods "$PASTA/fb3/VESTREL.FB")" = 12.0 ] || falha "the Firebird 3 destination changed its ODS"
echo "rodada-mista: ok ($n clientes no destino Firebird 4)"
