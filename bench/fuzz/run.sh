#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each of them in
# turn, MINUTES minutes apiece, at the lowest priority and one process at a
# time; then reports per target the executions, the coverage and the
# findings.
#
#   bench/fuzz/run.sh MINUTES [TARGET...]      TARGET: docx doc officeart engine (default: all)
#
# FQ_FUZZ_DIR (default ${TMPDIR:-/tmp}/folioquill-fuzz) holds the build, the
# seeds (made once from both visible corpora), the growing corpora, the
# findings (artifacts/<target>/) and history.tsv, one line per run and
# target. FQ_SHARED_DIR names the shared folder with corpus/ and corpus2/.
# A finding does not stop a target: it is kept and fuzzing goes on.
# Regression inputs belong in tests/data/fuzz/<target>/, the test suite
# replays them (minimize first: fuzz_<target> -minimize_crash=1 -runs=10000 FINDING). Leaks that the font
# system keeps on purpose are suppressed (lsan.supp); replay a finding with
# LSAN_OPTIONS=suppressions=bench/fuzz/lsan.supp to see it as the run did.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
minutes=${1:?usage: run.sh MINUTES [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(docx doc officeart engine)
work=${FQ_FUZZ_DIR:-${TMPDIR:-/tmp}/folioquill-fuzz}
shared=${FQ_SHARED_DIR:-$top/../shared}
build=$work/build
cc=${FQ_FUZZ_CC:-clang-14}
cxx=${FQ_FUZZ_CXX:-clang++-14}
max_len=1048576
mkdir -p "$work"

echo "== building the fuzz targets in $build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER="$cc" \
  -DCMAKE_CXX_COMPILER="$cxx" -DFQ_FUZZ=ON -DFQ_BUILD_TESTS=OFF >/dev/null
nice -n 19 cmake --build "$build" --target fuzz_docx fuzz_doc fuzz_officeart fuzz_engine fuzz_seeds -- -j1 >/dev/null
bin=$build/bin

# Seeds, once: the raw documents small enough, listings of every document
# (parts and streams uncompressed), the drawings of the .doc files.
seeds=$work/seeds
if [ ! -d "$seeds/engine" ]; then
  echo "== making seeds in $seeds"
  rm -rf "$seeds.part"
  mkdir -p "$seeds.part"/{docx,doc,officeart,engine}
  n=0
  for dir in "$shared"/corpus "$shared"/corpus2; do
    for f in "$dir"/docx/*.docx "$dir"/doc/*.doc "$dir"/bad/*; do
      [ -f "$f" ] || continue
      n=$((n + 1))
      case "$f" in
        *.docx) kind=docx ;;
        *.doc) kind=doc ;;
        *) if head -c2 "$f" | grep -q PK; then kind=docx; else kind=doc; fi ;;
      esac
      size=$(stat -c %s "$f")
      if [ "$size" -le "$max_len" ]; then
        cp "$f" "$seeds.part/$kind/raw-$n"
        cp "$f" "$seeds.part/engine/raw-$n"
      fi
      if ASAN_OPTIONS=detect_leaks=0 "$bin/fuzz_seeds" listing "$f" "$seeds.part/$kind/listing-$n" 2>/dev/null; then
        if [ "$(stat -c %s "$seeds.part/$kind/listing-$n")" -le "$max_len" ]; then
          cp "$seeds.part/$kind/listing-$n" "$seeds.part/engine/listing-$n"
        else
          rm -f "$seeds.part/$kind/listing-$n"
        fi
      fi
      if [ "$kind" = doc ]; then
        ASAN_OPTIONS=detect_leaks=0 "$bin/fuzz_seeds" officeart "$f" "$seeds.part/officeart/drawing-$n" 2>/dev/null ||
          rm -f "$seeds.part/officeart/drawing-$n"
      fi
    done
  done
  mv "$seeds.part" "$seeds"
fi

# The docx dictionary: the names the reader looks for, from its sources.
dict=$work/docx.dict
grep -oh '"[A-Za-z][A-Za-z0-9:_]\{1,40\}"' "$top"/publishing/docx/*.cpp | sort -u > "$dict"
printf '"<w:%s"\n' p r t tbl tr tc pPr rPr drawing > /dev/null
for token in '"<?xml"' '"xmlns"' '"<w:"' '"</w:"' '"/>"' '"r:id"' '"w:val"' '"\x22"'; do echo "$token" >> "$dict"; done

history=$work/history.tsv
[ -f "$history" ] || printf 'date\ttarget\tminutes\texecutions\tcoverage\tfeatures\tcorpus\tnew findings\n' > "$history"

report=()
for t in "${targets[@]}"; do
  corpus=$work/corpus/$t
  artifacts=$work/artifacts/$t
  mkdir -p "$corpus" "$artifacts"
  before=$(ls "$artifacts" | wc -l)
  extra=()
  [ "$t" = docx ] && extra+=(-dict="$dict")
  [ "$t" = engine ] && extra+=(-dict="$dict")
  log=$work/$t-$(date +%Y%m%d-%H%M%S).log
  echo "== fuzzing $t for $minutes min (log $log)"
  (cd "$work" && ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions="$top/bench/fuzz/lsan.supp":print_suppressions=0 \
    QT_QPA_PLATFORM=offscreen nice -n 19 "$bin/fuzz_$t" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 \
      -ignore_ooms=1 -max_total_time=$((minutes * 60)) -timeout=30 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
      -max_len=$max_len -print_funcs=0 -artifact_prefix="$artifacts/" "${extra[@]}" "$corpus" "$seeds/$t" >"$log" 2>&1) || true
  last=$(grep -E '^#[0-9]+: cov: ' "$log" | tail -1 || true)
  execs=$(sed -nE 's/^#([0-9]+): .*/\1/p' <<<"$last")
  cov=$(sed -nE 's/.* cov: ([0-9]+) .*/\1/p' <<<"$last")
  ft=$(sed -nE 's/.* ft: ([0-9]+) .*/\1/p' <<<"$last")
  corp=$(sed -nE 's/.* corp: ([0-9]+) .*/\1/p' <<<"$last")
  after=$(ls "$artifacts" | wc -l)
  found=$((after - before))
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -Is)" "$t" "$minutes" "${execs:-0}" "${cov:-?}" "${ft:-?}" \
    "${corp:-?}" "$found" >> "$history"
  report+=("$(printf '%-10s %8s executions  cov %6s  ft %7s  corpus %6s  new findings %3s  (all: %s)' "$t" \
    "${execs:-0}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$found" "$(ls "$artifacts" | tr '\n' ' ')")")
done

echo "== results ($minutes min per target)"
printf '%s\n' "${report[@]}"
echo "== totals so far (history.tsv)"
awk -F'\t' 'NR > 1 { m[$2] += $3; e[$2] += $4; f[$2] += $8 }
  END { for (t in m) printf "%-10s %7.1f h  %10d executions  %3d findings\n", t, m[t] / 60, e[t], f[t] }' "$history"
