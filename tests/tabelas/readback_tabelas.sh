#!/usr/bin/env bash
# Reads the tables' workbooks back with LibreOffice, a reader we did not
# write: every sheet to CSV with the contents as shown, and each workbook to
# flat OpenDocument, whose merges and fills readback_tabelas.py checks.
#   readback_tabelas.sh SOURCE_DIR BUILD_DIR WRITER.exe SERVER.dll
set -u
source_dir=$1 build_dir=$2 writer=$3 server=$4
out=$(mktemp -d "$build_dir/tests/tabelas/readback.XXXXXX")
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/files" "$out/profile" "$out/csv" "$out/fods"

windows_out="Z:$(echo "$out/files" | tr / '\\')"
HV_SPREADSHEET_FOLDER="$windows_out" HV_SPREADSHEET_SHELL=0 \
  "$source_dir/tools/wine-run" "$build_dir" "$writer" "Z:$(echo "$server" | tr / '\\')" || { echo "FAIL writer"; exit 1; }
count=$(ls "$out/files"/*.xlsx 2>/dev/null | wc -l)
[ "$count" -eq 5 ] || { echo "FAIL $count workbooks handed over, 5 expected"; exit 1; }

office() {
  timeout 300 soffice --headless --norestore "-env:UserInstallation=file://$out/profile" "$@" >>"$out/office.log" 2>&1
}
office --convert-to fods --outdir "$out/fods" "$out/files"/*.xlsx
office --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1' \
  --outdir "$out/csv" "$out/files"/*.xlsx
python3 "$source_dir/tests/tabelas/readback_tabelas.py" "$out/fods" "$out/csv" || { cat "$out/office.log"; exit 1; }
