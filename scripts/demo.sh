#!/usr/bin/env bash
# Installs what is needed, builds the converter (the release build, into
# build/), generates a sample legacy database with an empty destination into
# amostra/, converts the three tables with conversor-lote and prints how many
# rows each destination table holds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar-dependencias.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCONVERSOR_SANITIZERS=OFF -DCONVERSOR_TESTES=OFF
cmake --build build -j"$(nproc)" --target conversor-lote gerar-amostra

PASTA="$PWD/amostra"
build/bin/gerar-amostra --pasta "$PASTA" --clientes "${CLIENTES:-5000}" --fornecedores "${FORNECEDORES:-500}"
echo
build/bin/conversor-lote --origem "$PASTA/LEGADO.FDB" --destino "$PASTA/VESTREL.FB" --cidades --clientes --fornecedores
echo
echo "Linhas no destino ($PASTA/VESTREL.FB):"
for tabela in CIDADES CLIENTE COMPCLIE FORNECE; do
  n=$(printf 'SELECT COUNT(*) FROM %s;\n' "$tabela" | isql-fb -q -u SYSDBA "$PASTA/VESTREL.FB" | awk 'NF==1 && $1 ~ /^[0-9]+$/ {print $1}')
  printf '  %-9s %s\n' "$tabela" "$n"
done
