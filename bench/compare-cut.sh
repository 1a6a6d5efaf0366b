#!/usr/bin/env bash
# Times `lumbrava-layouts read` against GNU cut, and `lumbrava-layouts write`, on files like the
# users' ones: Unico "bens-cadastro_bem" records (695 columns, 49 fields) with every field filled
# and accented Portuguese words in every text field, in Windows-1252; then the same records with
# ASCII text only; then 1,000,000 Unico "lancamentos" entries (11 fields) written. Each figure is
# the best of 5 runs, with the range of the 5 after it.
#
# Usage: bench/compare-cut.sh [LINES] [--memory]
#   LINES     records of "bens-cadastro_bem" (default 200000)
#   --memory  also the peak memory of read and write on a file of about 1 GB (needs GNU time)
# With LUMBRAVA_TOOL set to a lumbrava-layouts binary (an earlier build, say), that binary is timed
# instead of a fresh build of this tree.
set -euo pipefail
cd "$(dirname "$0")/.."
linhas=200000
memoria=0
for a in "$@"; do
  case "$a" in
    --memory) memoria=1 ;;
    *) linhas=$a ;;
  esac
done
if [ -n "${LUMBRAVA_TOOL:-}" ]; then
  tool=$(realpath "$LUMBRAVA_TOOL")
else
  ./scripts/setup.sh
  cmake --preset bench >/dev/null
  cmake --build --preset bench --target lumbrava-layouts >/dev/null
  tool=build-bench/lumbrava-layouts
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
nucleos=$(nproc)
padrao=$((nucleos < 8 ? nucleos : 8))
# write takes --threads once the command line offers it.
if $tool write --help | grep -q -- --threads; then umaw="--threads 1"; else umaw=""; fi

# CSV rows for a layout: every field filled from its `show --json`. Text fields get accented words
# (ascii=1: the same words without accents) running past their width, so that writing cuts them;
# numbers get as many digits as fit.
gera() { # SYSTEM LAYOUT ROWS ASCII SEED
  $tool show "$1" "$2" --json | awk -v n="$3" -v ascii="$4" -v semente="$5" '
    function semacento(x) {
      gsub(/á|à|â|ã/, "a", x); gsub(/é|ê/, "e", x); gsub(/í/, "i", x); gsub(/ó|ô|õ/, "o", x);
      gsub(/ú/, "u", x); gsub(/ç/, "c", x); gsub(/Á|Ã/, "A", x); gsub(/É|Ê/, "E", x);
      gsub(/Í/, "I", x); gsub(/Ó|Ô/, "O", x); gsub(/Ú/, "U", x);
      return x;
    }
    /"nome":/ { sub(/.*"nome": "/, ""); sub(/",$/, ""); nome[++k] = $0 }
    /"tamanho":/ { gsub(/[^0-9]/, ""); tam[k] = $0 + 0 }
    /"decimais":/ { gsub(/[^0-9]/, ""); dec[k] = $0 + 0 }
    /"tipo":/ { sub(/.*"tipo": "/, ""); sub(/",$/, ""); tipo[k] = $0 }
    END {
      nw = split("Depósito ação máquina avaliação patrimônio manutenção aquisição equipamento " \
                 "veículo edificação instalações móveis utensílios informática depreciação " \
                 "construção prédio escritório almoxarifado São Paulo Ribeirão Preto Goiânia " \
                 "Brasília Pará Maranhão conservação elétrica hidráulica refrigeração câmbio " \
                 "área técnica órgão público", w, " ");
      # Words that begin with an accent: a text field one or two columns wide holds one too.
      ni = split("Área Índice Órgão Ética Água Ônus Útil Ênfase Ação Égide", ini, " ");
      if (ascii) {
        for (i = 1; i <= nw; i++) w[i] = semacento(w[i]);
        for (i = 1; i <= ni; i++) ini[i] = semacento(ini[i]);
      }
      srand(semente);
      for (i = 1; i <= k; i++) printf "%s%s", (i > 1 ? "," : ""), nome[i];
      print "";
      for (r = 1; r <= n; r++) {
        for (i = 1; i <= k; i++) {
          t = tipo[i]; s = tam[i]; d = dec[i];
          if (t == "S" || t == "C" || t == "Cd" || t == "Sd") {
            v = ini[1 + int(rand() * ni)];
            alvo = s * (0.7 + rand() * 0.6);
            while (length(v) < alvo) v = v " " w[1 + int(rand() * nw)];
          } else if (t == "D" || t == "H") {
            v = sprintf("%0" s "d", int(rand() * 10 ^ (s < 9 ? s : 9)));
          } else {
            inteiros = d == 0 ? s : s - d - 1;
            if (inteiros > 15) inteiros = 15;
            if (inteiros <= 0) { v = "0" } else {
              v = "" (1 + int(rand() * 9));
              for (j = 2 + int(rand() * inteiros / 2); j <= inteiros; j++) v = v int(rand() * 10);
              if (d > 0) {
                f = "";
                for (j = 1; j <= d; j++) f = f int(rand() * 10);
                v = "\"" v "," f "\"";
              }
            }
          }
          printf "%s%s", (i > 1 ? "," : ""), v;
        }
        print "";
      }
    }'
}

# The best wall time of 5 runs, then the range: "best min max".
tempos() {
  local ts=()
  for _ in 1 2 3 4 5; do
    local s e
    s=$(date +%s.%N)
    "$@" >/dev/null 2> >(grep -v '^aviso: campo ' >&2)  # the warnings of values cut on purpose
    e=$(date +%s.%N)
    ts+=("$(awk -v s="$s" -v e="$e" 'BEGIN { printf "%.3f", e - s }')")
  done
  printf '%s\n' "${ts[@]}" | sort -n | awk 'NR == 1 { b = $1 } END { printf "%s %s %s", b, b, $1 }'
}

ranges=$($tool show Unico bens-cadastro_bem --json |
  awk -F'[:,]' '/"inicio"/ {i = $2 + 0} /"fim"/ {printf "%s%d-%d", sep, i, $2 + 0; sep = ","}')

declare -A t
for tipo in acentos ascii; do
  ascii=$([ "$tipo" = ascii ] && echo 1 || echo 0)
  gera Unico bens-cadastro_bem "$linhas" "$ascii" 7 >"$dir/$tipo.csv"
  # The generated text runs past the fields on purpose: the warnings of the values cut are dropped.
  $tool write Unico bens-cadastro_bem "$dir/$tipo.csv" -o "$dir/$tipo.txt" 2> >(grep -v '^aviso: campo ' >&2)
  $tool read Unico bens-cadastro_bem "$dir/$tipo.txt" -o "$dir/$tipo-lido.csv"
  t[$tipo,cut]=$(tempos cut -c "$ranges" --output-delimiter=, "$dir/$tipo.txt")
  t[$tipo,read1]=$(tempos "$tool" read Unico bens-cadastro_bem "$dir/$tipo.txt" --threads 1)
  t[$tipo,read2]=$(tempos "$tool" read Unico bens-cadastro_bem "$dir/$tipo.txt" --threads 2)
  t[$tipo,read]=$(tempos "$tool" read Unico bens-cadastro_bem "$dir/$tipo.txt")
  # shellcheck disable=SC2086
  t[$tipo,write1]=$(tempos "$tool" write Unico bens-cadastro_bem "$dir/$tipo-lido.csv" $umaw)
  t[$tipo,write]=$(tempos "$tool" write Unico bens-cadastro_bem "$dir/$tipo-lido.csv")
done
gera Unico lancamentos 1000000 0 3 >"$dir/lancamentos.csv"
# shellcheck disable=SC2086
t[lanc,write1]=$(tempos "$tool" write Unico lancamentos "$dir/lancamentos.csv" $umaw)
t[lanc,write]=$(tempos "$tool" write Unico lancamentos "$dir/lancamentos.csv")

linha() { # LABEL "best min max" N UNIT [CUT]
  awk -v r="$1" -v t="$2" -v n="$3" -v u="$4" -v c="${5:-}" 'BEGIN {
    split(t, a, " "); split(c, b, " ");
    printf "  %-40s %6.3f s (%.3f-%.3f) %11.0f %s/s", r, a[1], a[2], a[3], n / a[1], u;
    if (c != "") printf "  %5.2fx cut", b[1] / a[1];
    printf "\n";
  }'
}
mb=$(awk -v b="$(stat -c %s "$dir/acentos.txt")" 'BEGIN { printf "%.0f", b / 1e6 }')
echo "$nucleos cores (default threads: $padrao); load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for tipo in acentos ascii; do
  if [ "$tipo" = acentos ]; then
    echo "read: $linhas lines of Unico bens-cadastro_bem, every field filled, accented text, Windows-1252 ($mb MB)"
  else
    echo "read: the same records with ASCII text only"
  fi
  linha "cut -c ... --output-delimiter=," "${t[$tipo,cut]}" "$linhas" lines
  linha "lumbrava-layouts read --threads 1" "${t[$tipo,read1]}" "$linhas" lines "${t[$tipo,cut]}"
  linha "lumbrava-layouts read --threads 2" "${t[$tipo,read2]}" "$linhas" lines "${t[$tipo,cut]}"
  linha "lumbrava-layouts read ($padrao threads)" "${t[$tipo,read]}" "$linhas" lines "${t[$tipo,cut]}"
done
echo "write: CSV to fixed-width Windows-1252 records"
for tipo in acentos ascii; do
  rotulo=$([ "$tipo" = acentos ] && echo "accented" || echo "ASCII")
  if [ -n "$umaw" ]; then
    linha "bens-cadastro_bem, $rotulo, 1 thread" "${t[$tipo,write1]}" "$linhas" records
  fi
  linha "bens-cadastro_bem, $rotulo, $padrao threads" "${t[$tipo,write]}" "$linhas" records
done
if [ -n "$umaw" ]; then
  linha "lancamentos, accented, 1 thread" "${t[lanc,write1]}" 1000000 records
fi
linha "lancamentos, accented, $padrao threads" "${t[lanc,write]}" 1000000 records
[ -n "$umaw" ] || echo "  (write takes no --threads here: one-thread figures left out)"

if [ "$memoria" = 1 ]; then
  if [ ! -x /usr/bin/time ]; then
    echo "peak memory: needs GNU time (/usr/bin/time)"
    exit 0
  fi
  # About 1 GB of records: the accented file, again and again.
  vezes=$(((1000000000 + $(stat -c %s "$dir/acentos.txt") - 1) / $(stat -c %s "$dir/acentos.txt")))
  for _ in $(seq "$vezes"); do cat "$dir/acentos.txt"; done >"$dir/grande.txt"
  for _ in $(seq "$vezes"); do tail -n +2 "$dir/acentos-lido.csv"; done |
    cat <(head -1 "$dir/acentos-lido.csv") - >"$dir/grande.csv"
  pico() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
  echo "peak memory (maximum resident set):"
  echo "  read, $(($(stat -c %s "$dir/grande.txt") / 1000000)) MB of records, $padrao threads: $(($(pico "$tool" read Unico bens-cadastro_bem "$dir/grande.txt") / 1024)) MB"
  echo "  write, $(($(stat -c %s "$dir/grande.csv") / 1000000)) MB of CSV, $padrao threads:     $(($(pico "$tool" write Unico bens-cadastro_bem "$dir/grande.csv") / 1024)) MB"
fi
