#!/usr/bin/env bash
# Loading one language's program texts from a large texts database, beside mdb-export of the
# same table and a plain sequential read of the file (warm page cache, best of N runs).
#   bench/texts_load.sh [path/to/textsdb]
# Goal: the load takes at most 3 times the plain read and is at least 5 times faster than
# mdb-export.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
textsdb=${1:-$here/../build/native/tools/textsdb/textsdb}
runs=${RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 100 languages x 5000 keys = 500,000 rows; the 24 program keys are among each language's keys.
awk 'BEGIN {
    OFS = "\t"; print "LNGID_", "GROUP_", "TEXTID_", "TXT_"
    split("~DOVEravar ~ExportDestination ~CADAvailableFormats ~SubfolderOptions ~MoveOneUp " \
          "~MoveOneDown ~Export ~ExportToSubfoldersOrder ~NoError ~Errors ~Total " \
          "~StartingPDataMgr ~Abbruch ~Canceled ~Finished ~Close ~CADWindowsWillOpen ~Details " \
          "~CreateZipFile ~BasketName ~CADFormatDesignation ~FirstLetterOfSeries ~Series " \
          "~Teilenummer", program, " ")
    for (l = 0; l < 100; l++) {
        lang = sprintf("L%c%c%d", 65 + l % 26, 65 + int(l / 26), l % 10)
        for (k = 1; k <= 5000; k++) {
            key = (k <= 24) ? program[k] : sprintf("~Text%05d", k)
            print lang, (k % 10 == 0 ? "CATALOG" : "PROGRAM"), key, \
                  sprintf("Translation %d of %s in language %s", k, key, lang)
        }
    }
}' > "$work/texts.tsv"
"$textsdb" write "$work/texts.tsv" "$work/texts.mdb" --password 815C7d
size=$(stat -c %s "$work/texts.mdb")
language=$(awk -F'\t' 'NR == 2 + 5000 * 42 { print $1 }' "$work/texts.tsv")

# Best wall time of $runs runs, in milliseconds, after one warm-up run.
best() {
    local best_ns="" start end
    "$@" > /dev/null
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        if [ -z "$best_ns" ] || [ $((end - start)) -lt "$best_ns" ]; then
            best_ns=$((end - start))
        fi
    done
    awk -v ns="$best_ns" 'BEGIN { printf "%.1f", ns / 1e6 }'
}

load=$(best "$textsdb" load "$work/texts.mdb" "$language")
export_ms=$(best mdb-export "$work/texts.mdb" X_PROGRAMSTRINGS)
read_ms=$(best cat "$work/texts.mdb")
rows=$("$textsdb" load "$work/texts.mdb" "$language" | cut -d' ' -f1)

echo "texts database: 500000 rows, $((size / 1024 / 1024)) MiB; language $language: $rows rows"
printf '%-34s %10s %14s\n' "what" "best ms" "vs plain read"
printf '%-34s %10s %14s\n' "textsdb load (one language)" "$load" \
    "$(awk -v a="$load" -v b="$read_ms" 'BEGIN { printf "%.2fx", a / b }')"
printf '%-34s %10s %14s\n' "mdb-export X_PROGRAMSTRINGS" "$export_ms" \
    "$(awk -v a="$export_ms" -v b="$read_ms" 'BEGIN { printf "%.2fx", a / b }')"
printf '%-34s %10s %14s\n' "cat > /dev/null" "$read_ms" "1.00x"
awk -v l="$load" -v e="$export_ms" -v r="$read_ms" 'BEGIN {
    printf "load / plain read: %.2f (goal <= 3); mdb-export / load: %.1f (goal >= 5)\n", l / r, e / l
}'
