#!/usr/bin/env bash
# Times `lumbrava-layouts read` against GNU cut on the same 200,000-line file of Unico
# "bens-cadastro_bem" records (695 columns, 49 fields), and `lumbrava-layouts write` on the CSV
# that read produced. Usage: bench/compare-cut.sh [LINES]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target lumbrava-layouts >/dev/null
tool=build-bench/lumbrava-layouts
linhas=${1:-200000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# The test file: CSV rows of assorted values, written as records by the tool itself.
awk -v n="$linhas" 'BEGIN {
  print "fixo10,descBem,natuBem,codOrig,numChapa,dataOrigiAqui,valorDepre,valorOrigAqui,quantidade,funcionalidade,codContaCont,valorICMS,CSTPis";
  srand(7);
  for (i = 1; i <= n; i++)
    printf "10,Bem patrimonial numero %d,%d,%d,CH-%d,01/03/2026,\"%d,%02d\",\"%d,%02d\",%d,Uso administrativo,%d,\"%d,%02d\",01\n",
      i, i % 10, i % 999999, i, int(rand() * 100000), i % 100, int(rand() * 1000000), i % 100,
      i % 10000, 100000 + i % 900000, int(rand() * 10000), i % 100;
}' > "$dir/in.csv"
$tool write Unico bens-cadastro_bem "$dir/in.csv" -o "$dir/bens.txt"

ranges=$($tool show Unico bens-cadastro_bem --json |
  awk -F'[:,]' '/"inicio"/ {i = $2 + 0} /"fim"/ {printf "%s%d-%d", sep, i, $2 + 0; sep = ","}')

seconds() { # runs a command 5 times and prints the best wall time in seconds
  local best=""
  for _ in 1 2 3 4 5; do
    local s e
    s=$(date +%s.%N)
    "$@" >/dev/null
    e=$(date +%s.%N)
    best=$(awk -v s="$s" -v e="$e" -v b="$best" 'BEGIN { t = e - s; if (b == "" || t < b + 0) print t; else print b }')
  done
  echo "$best"
}

t_cut=$(seconds cut -c "$ranges" --output-delimiter=, "$dir/bens.txt")
t_read=$(seconds "$tool" read Unico bens-cadastro_bem "$dir/bens.txt")
$tool read Unico bens-cadastro_bem "$dir/bens.txt" -o "$dir/out.csv"
t_write=$(seconds "$tool" write Unico bens-cadastro_bem "$dir/out.csv")

awk -v n="$linhas" -v c="$t_cut" -v r="$t_read" -v w="$t_write" 'BEGIN {
  printf "lines: %d (Unico bens-cadastro_bem, 695 columns, 49 fields)\n", n;
  printf "cut -c ... --output-delimiter=,  %.3f s  %10.0f lines/s\n", c, n / c;
  printf "lumbrava-layouts read (CSV)      %.3f s  %10.0f lines/s  (%.2fx cut)\n", r, n / r, c / r;
  printf "lumbrava-layouts write (fixed)   %.3f s  %10.0f records/s\n", w, n / w;
}'
