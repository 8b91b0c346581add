#!/usr/bin/env bash
# Installs what is needed, builds, and starts Folioquill. Without a display
# it converts the bundled sample documents with the command-line converter
# and says where the publications went.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${FQ_BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/bin/folioquill"
fi

out="$top/out/samples"
mkdir -p "$out"
echo "No display available: converting the sample documents with folioquill-convert instead."
shopt -s nullglob
samples=("$build/bin/Samples/"*)
if [ ${#samples[@]} -eq 0 ]; then
  echo "No sample documents found in $build/bin/Samples." >&2
  exit 1
fi
"$build/bin/folioquill-convert" -o "$out" "${samples[@]}"
echo "The publications are in $out:"
ls -l "$out"
