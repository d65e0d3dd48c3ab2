#!/usr/bin/env bash
# A day at the till on the virtual printer: runs the example till scripts
# through ecfhost in a fresh folder, prints what every call did, then the
# printer's paper tape, and says where the debug log and the files are.
#   examples/demo.sh BUILD_DIR      (./run demo calls it with build/)
set -euo pipefail
BUILD=$(cd "${1:?usage: examples/demo.sh BUILD_DIR}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(dirname "$HERE")
OUT="$ROOT/demo-out"
ECFHOST="$BUILD/bin/ecfhost"

# The day's scripts, in order; later chapters of the day join the list as
# their scripts are written.
SCRIPTS=(previous-day.json start-of-day.json cash-opening.json sale.json vouchers.json reports.json
         restaurant.json closing.json)

rm -rf "$OUT"
mkdir -p "$OUT"
# The shop's grand-total control file: the control is on for till 001, with
# the value a new register starts from; the day's first grand-total update
# records the printer's total in it.
cp "$HERE/Brindal.cds" "$OUT/"
# Only the demo folder: nothing of the caller's environment may redirect the
# registry, the drive root or the driver library.
unset TOV_HOST_DIR TOV_REGISTRY TOV_DRIVE_ROOT TOV_DRIVER_LIBRARY

for script in "${SCRIPTS[@]}"; do
  [ -f "$HERE/$script" ] || continue
  echo "================================================================"
  echo "  $script"
  echo "================================================================"
  "$ECFHOST" run "$HERE/$script" --host-dir "$OUT" --pretty
done

# The fiscal menu after the Z reduction: the legal files, each signed file
# then checked from the shell.
"$HERE/legal-files.sh" "$BUILD" "$OUT"

TAPE=$(find "$OUT" -name bobina.txt -print -quit)
echo "================================================================"
echo "  The printer's paper tape${TAPE:+ ($TAPE)}"
echo "================================================================"
if [ -n "$TAPE" ]; then cat "$TAPE"; else echo "(nothing was printed)"; fi
echo "================================================================"
echo "  The day's document register (documentos.db)"
echo "================================================================"
"$ECFHOST" records --host-dir "$OUT" --pretty
echo
# The day's documents as a page to look at, read back from the printer's
# detail memory.
HTML="$OUT/fita.html"
"$ECFHOST" tape --host-dir "$OUT" --html "$HTML" >/dev/null 2>&1 || HTML=""
echo "Tape as a page:  ${HTML:-(nothing was printed)}"
echo "Debug log:       $(ls "$OUT"/impdebug*.txt 2>/dev/null | head -1)"
echo "Registry:        $OUT/registry.ini"
echo "Printer's files: $(dirname "${TAPE:-$OUT/?}")"
echo "All files:       $OUT"
