#!/usr/bin/env bash
# Builds the tool and runs it on a real record file: the Unico accounting entries in
# examples/unico-lancamentos.txt (Windows-1252, CRLF) are read into CSV and written back.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target lumbrava-layouts

tool=build/lumbrava-layouts
$tool show Unico lancamentos
echo
echo "== read: records -> CSV (build/unico-lancamentos.csv)"
$tool read Unico lancamentos examples/unico-lancamentos.txt -o build/unico-lancamentos.csv
cat build/unico-lancamentos.csv
echo
echo "== write: CSV -> records (build/unico-lancamentos.txt)"
$tool write Unico lancamentos build/unico-lancamentos.csv -o build/unico-lancamentos.txt
if cmp -s examples/unico-lancamentos.txt build/unico-lancamentos.txt; then
  echo "The records written back are identical to the example file."
else
  echo "The records written back differ from the example file." >&2
  exit 1
fi
