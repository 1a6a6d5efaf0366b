#!/usr/bin/env bash
# Times `lumbrava-layouts read` against GNU cut on the same 200,000-line file of Unico
# "bens-cadastro_bem" records (695 columns, 49 fields), with one, two and the default number of
# threads; then `lumbrava-layouts write` (one thread) on the CSV that read produced, and on
# 1,000,000 Unico "lancamentos" entries (11 fields). Usage: bench/compare-cut.sh [LINES]
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
t_read1=$(seconds "$tool" read Unico bens-cadastro_bem "$dir/bens.txt" --threads 1)
t_read2=$(seconds "$tool" read Unico bens-cadastro_bem "$dir/bens.txt" --threads 2)
t_read=$(seconds "$tool" read Unico bens-cadastro_bem "$dir/bens.txt")
$tool read Unico bens-cadastro_bem "$dir/bens.txt" -o "$dir/out.csv"
t_write=$(seconds "$tool" write Unico bens-cadastro_bem "$dir/out.csv")

awk 'BEGIN {
  print "Data,ContaDebito,ContaCredito,SubDebito,SubCredito,Valor,CodHP,Historico,Documento,ccDebito,ccCredito";
  srand(3);
  for (i = 1; i <= 1000000; i++)
    printf "%02d032026,%d,%d,0,%d,\"%d,%02d\",%d,Pagamento de fornecedor %d,NF-%d,%d,0\n",
      1 + i % 28, 1100 + i % 50, 2100 + i % 40, i % 1000, int(rand() * 100000), i % 100, i % 99, i, i, i % 30;
}' > "$dir/lancamentos.csv"
t_write2=$(seconds "$tool" write Unico lancamentos "$dir/lancamentos.csv")

awk -v n="$linhas" -v c="$t_cut" -v r1="$t_read1" -v r2="$t_read2" -v r="$t_read" -v w="$t_write" \
    -v w2="$t_write2" -v threads="$(nproc)" 'BEGIN {
  printf "read: %d lines of Unico bens-cadastro_bem (695 columns, 49 fields), best of 5, %d cores\n", n, threads;
  printf "  cut -c ... --output-delimiter=,          %.3f s  %10.0f lines/s\n", c, n / c;
  printf "  lumbrava-layouts read --threads 1        %.3f s  %10.0f lines/s  (%.2fx cut)\n", r1, n / r1, c / r1;
  printf "  lumbrava-layouts read --threads 2        %.3f s  %10.0f lines/s  (%.2fx cut)\n", r2, n / r2, c / r2;
  printf "  lumbrava-layouts read (default threads)  %.3f s  %10.0f lines/s  (%.2fx cut)\n", r, n / r, c / r;
  print "write (one thread), CSV to fixed-width records:";
  printf "  Unico bens-cadastro_bem, %d records     %.3f s  %10.0f records/s\n", n, w, n / w;
  printf "  Unico lancamentos, 1000000 records       %.3f s  %10.0f records/s\n", w2, 1000000 / w2;
}'
