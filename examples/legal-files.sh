#!/usr/bin/env bash
# The demo's fiscal-menu chapter, after the day's Z reduction: the legal files
# of legal-files.json, then every signed file checked from the shell with the
# package's shipped public key (ead-verify), as the shop or a fiscal auditor
# would check them.
#   examples/legal-files.sh BUILD_DIR DEMO_OUT   (demo.sh calls it)
set -euo pipefail
BUILD=$(cd "${1:?usage: examples/legal-files.sh BUILD_DIR DEMO_OUT}" && pwd)
OUT=$(cd "${2:?usage: examples/legal-files.sh BUILD_DIR DEMO_OUT}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)

# The host's digest table of its own files, as its installation keeps it.
mkdir -p "$OUT/Dados/Cadastros"
{
  printf '<?xml version="1.0" encoding="UTF-8" standalone="yes"?><DATAPACKET Version="2.0"><METADATA><FIELDS>'
  printf '<FIELD attrname="DSARQUIVO" fieldtype="string" WIDTH="60"/><FIELD attrname="NUMEROMD5" fieldtype="string" WIDTH="32"/>'
  printf '</FIELDS><PARAMS/></METADATA><ROWDATA>'
  for file in bin/ecfhost lib/libtov00300.so lib/libtovhost.so lib/libDarumaFrameWork.so lib/libsign_bema.so; do
    [ -f "$BUILD/$file" ] || continue
    digest=$(md5sum "$BUILD/$file" | cut -c1-32 | tr a-f A-F)
    printf '<ROW RowState="4" DSARQUIVO="%s" NUMEROMD5="%s"/>' "$(basename "$file")" "$digest"
  done
  printf '</ROWDATA></DATAPACKET>\n'
} > "$OUT/Dados/Cadastros/ArquivosQirMd5.cds"

# The script names today's dates and the demo folder; fill them in.
sed -e "s|TWO_DAYS_AGO|$(date -d '2 days ago' +%d/%m/%Y)|g" \
    -e "s|TODAY|$(date +%d/%m/%Y)|g" -e "s|DEMO_OUT|$OUT|g" \
    "$HERE/legal-files.json" > "$OUT/legal-files.json"
echo "================================================================"
echo "  legal-files.json"
echo "================================================================"
"$BUILD/bin/ecfhost" run "$OUT/legal-files.json" --host-dir "$OUT" --pretty

echo "================================================================"
echo "  The signed legal files, checked with the shipped public key"
echo "================================================================"
shopt -s nullglob
signed=("$OUT"/Dados/MenuFiscal/*.txt)
if [ ${#signed[@]} -gt 0 ]; then
  "$BUILD/bin/ead-verify" "${signed[@]}" || echo "(a file did not verify)"
else
  echo "(no signed file was made)"
fi
