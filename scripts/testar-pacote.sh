#!/usr/bin/env bash
# Builds the release build into build/ (the three programs, without tests),
# makes the Debian package from it with cpack, unpacks the package into a
# scratch root and checks what it installs: the programs run from there (a
# sample is generated and converted), they carry no RPATH and are stripped,
# the desktop entry is valid, and the package declares what the programs
# need. Then lintian and the AppStream validator check it. The package and
# the scratch root stay in build/pacote/.
set -euo pipefail
cd "$(dirname "$0")/.."

falha() {
  echo "testar-pacote: $*" >&2
  exit 1
}

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCONVERSOR_SANITIZERS=OFF -DCONVERSOR_TESTES=OFF >/dev/null
cmake --build build -j"$(nproc)" --target conversor-zorvan-grafica conversor-lote gerar-amostra

PASTA="$PWD/build/pacote"
rm -rf "$PASTA"
mkdir -p "$PASTA"
(cd build && cpack -G DEB -B "$PASTA" >/dev/null)

pacotes=("$PASTA"/*.deb)
if [ "${#pacotes[@]}" -ne 1 ] || [ ! -f "${pacotes[0]}" ]; then
  falha "cpack did not make one package in $PASTA"
fi
PACOTE="${pacotes[0]}"
VERSAO="$(dpkg-deb -f "$PACOTE" Version)"
ARQUITETURA="$(dpkg-deb -f "$PACOTE" Architecture)"
[ "$ARQUITETURA" = "$(dpkg --print-architecture)" ] || falha "package architecture $ARQUITETURA"
[ "$(basename "$PACOTE")" = "conversor-zorvan-grafica_${VERSAO}_${ARQUITETURA}.deb" ] ||
  falha "unexpected package name $(basename "$PACOTE")"
echo "Pacote: $PACOTE"

# What the programs link, load or read: every one of them must be declared,
# and apt must be able to satisfy them.
DEPENDENCIAS="$(dpkg-deb -f "$PACOTE" Depends)"
echo "Depends: $DEPENDENCIAS"
MOTORES=(firebird3.0-server-core)
# Where the client library is Firebird 4's (Debian 13), its engine too.
if [ -e "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/firebird/4.0" ]; then
  MOTORES+=(firebird4.0-server-core)
fi
for p in libfbclient2 "${MOTORES[@]}" libqt6widgets6 qt6-qpa-plugins fonts-wine; do
  grep -Eq "(^|, )$p( |,|$)" <<<"$DEPENDENCIAS" || falha "the package does not depend on $p"
done
apt-get install --simulate --no-install-recommends "$PACOTE" >"$PASTA/apt.log" 2>&1 ||
  falha "apt cannot install the package: $(cat "$PASTA/apt.log")"

RAIZ="$PASTA/raiz"
dpkg -x "$PACOTE" "$RAIZ"
BIN="$RAIZ/usr/bin"
for programa in conversor-zorvan-grafica conversor-lote gerar-amostra; do
  [ -x "$BIN/$programa" ] || falha "$programa is not installed"
  if readelf -d "$BIN/$programa" | grep -Eq '\((RPATH|RUNPATH)\)'; then
    falha "$programa carries an RPATH: $(readelf -d "$BIN/$programa" | grep -E 'RPATH|RUNPATH')"
  fi
  if ldd "$BIN/$programa" | grep -q 'not found'; then
    falha "$programa misses libraries: $(ldd "$BIN/$programa" | grep 'not found')"
  fi
done

versao_lote="$("$BIN/conversor-lote" --version)"
[ "$versao_lote" = "conversor-lote $VERSAO" ] || falha "conversor-lote --version says '$versao_lote'"

AMOSTRA="$PASTA/amostra"
"$BIN/gerar-amostra" --pasta "$AMOSTRA" --clientes 200 --fornecedores 20 >"$PASTA/amostra.log" 2>&1 ||
  falha "gerar-amostra failed: $(cat "$PASTA/amostra.log")"
status=0
"$BIN/conversor-lote" --origem "$AMOSTRA/LEGADO.FDB" --destino "$AMOSTRA/VESTREL.FB" \
  --cidades --clientes --fornecedores >"$PASTA/lote.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || falha "conversor-lote exited with $status: $(cat "$PASTA/lote.log")"

COMPARTILHADO="$RAIZ/usr/share"
desktop-file-validate "$COMPARTILHADO/applications/conversor-zorvan-grafica.desktop" ||
  falha "the desktop entry is not valid"
for tamanho in 16 32 48 64 128 256; do
  [ -s "$COMPARTILHADO/icons/hicolor/${tamanho}x${tamanho}/apps/conversor-zorvan-grafica.png" ] ||
    falha "no ${tamanho}x${tamanho} icon"
done
[ -s "$COMPARTILHADO/icons/hicolor/scalable/apps/conversor-zorvan-grafica.svg" ] || falha "no scalable icon"

# Debian's own checks: lintian with no error and no warning (the
# informational tags it prints are kept in its log), and the AppStream
# metadata valid without the network.
for pagina in conversor-zorvan-grafica conversor-lote gerar-amostra; do
  [ -s "$COMPARTILHADO/man/man1/$pagina.1.gz" ] || falha "no compressed manual page for $pagina"
done
DOC="$COMPARTILHADO/doc/conversor-zorvan-grafica"
[ -s "$DOC/copyright" ] && [ -s "$DOC/changelog.gz" ] || falha "no copyright or changelog in $DOC"
for programa in conversor-zorvan-grafica conversor-lote gerar-amostra; do
  file -L "$BIN/$programa" | grep -q ', stripped' || falha "$programa is not stripped"
done
if ! lintian --fail-on error,warning --display-info "$PACOTE" >"$PASTA/lintian.log" 2>&1; then
  falha "lintian: $(cat "$PASTA/lintian.log")"
fi
if [ -s "$PASTA/lintian.log" ]; then
  echo "lintian (informational):"
  sed 's/^/  /' "$PASTA/lintian.log"
fi
METAINFO=("$COMPARTILHADO"/metainfo/*.metainfo.xml)
[ "${#METAINFO[@]}" -eq 1 ] && [ -s "${METAINFO[0]}" ] || falha "no AppStream metadata in $COMPARTILHADO/metainfo"
appstreamcli validate --no-net --explain "${METAINFO[0]}" >"$PASTA/appstream.log" 2>&1 ||
  falha "appstreamcli: $(cat "$PASTA/appstream.log")"
grep -q "<release version=\"$VERSAO\"" "${METAINFO[0]}" || falha "the AppStream release is not $VERSAO"
grep -q '<launchable type="desktop-id">conversor-zorvan-grafica.desktop</launchable>' "${METAINFO[0]}" ||
  falha "the AppStream metadata does not launch the desktop entry"
echo "lintian e appstreamcli: ok"

echo "Pacote: ok (conversor-lote $VERSAO, amostra convertida)"
