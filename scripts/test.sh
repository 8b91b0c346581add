#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test headless. Then the
# readers and the engine are built once more with AddressSanitizer and
# UndefinedBehaviorSanitizer and their tests (the damaged and hostile files
# among them) run again (FQ_SKIP_SANITIZERS=1 leaves that out).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${FQ_BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

(cd "$build" && ctest --output-on-failure -j"$jobs" --timeout 1200)

if [ "${FQ_SKIP_SANITIZERS:-0}" != 1 ]; then
  sanitized="$build-sanitize"
  echo "Rebuilding the readers and the engine with AddressSanitizer and UndefinedBehaviorSanitizer in $sanitized"
  cmake -S "$top" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFQ_SANITIZE=ON >/dev/null
  cmake --build "$sanitized" -j"$jobs" --target docx_tests doc_tests engine_tests
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  (cd "$sanitized" && ctest --output-on-failure -j"$jobs" --timeout 1200 -R '^(Docx|Doc|Engine)')
fi
