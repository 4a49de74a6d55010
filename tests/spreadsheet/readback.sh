#!/usr/bin/env bash
# Reads a workbook written by the spreadsheet stand-in back with LibreOffice,
# a reader we did not write: every sheet to CSV with the contents as shown
# (so values are checked through their formats), and the whole workbook to
# flat OpenDocument for what CSV cannot show (merges, fills, bold, wrap and
# alignment).
#   readback.sh SOURCE_DIR BUILD_DIR WRITER.exe SERVER.dll
set -u
source_dir=$1 build_dir=$2 writer=$3 server=$4
out=$(mktemp -d "$build_dir/tests/spreadsheet/readback.XXXXXX")
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/files" "$out/profile" "$out/csv" "$out/fods"

failures=0 checks=0
check() {  # check TEXT FILE PATTERN: FILE has a line matching PATTERN (grep -E)
  checks=$((checks + 1))
  if grep -qE -- "$3" "$2"; then echo "ok $1"; else echo "FAIL $1 ($3 not in $(basename "$2"))"; failures=$((failures + 1)); fi
}

windows_out="Z:$(echo "$out/files" | tr / '\\')"
HV_SPREADSHEET_FOLDER="$windows_out" HV_SPREADSHEET_SHELL=0 \
  "$source_dir/tools/wine-run" "$build_dir" "$writer" "Z:$(echo "$server" | tr / '\\')" || { echo "FAIL writer"; exit 1; }
book=$(ls "$out/files"/*.xlsx 2>/dev/null | head -1)
[ -n "$book" ] || { echo "FAIL no workbook was handed over"; exit 1; }

office() {
  timeout 300 soffice --headless --norestore "-env:UserInstallation=file://$out/profile" "$@" >"$out/office.log" 2>&1
}
office --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1' --outdir "$out/csv" "$book"
office --convert-to fods --outdir "$out/fods" "$book"

first=$(ls "$out/csv"/*Tabela\ 1*.csv 2>/dev/null | head -1)
second=$(ls "$out/csv"/*Tabela\ 2*.csv 2>/dev/null | head -1)
fods=$(ls "$out/fods"/*.fods 2>/dev/null | head -1)
for f in first second fods; do
  [ -n "${!f}" ] || { echo "FAIL LibreOffice wrote no $f file"; cat "$out/office.log"; exit 1; }
done

# Row 6: 812.5 in the comma style, a date, a text, an empty cell, a raw double.
check "the density through its comma format" "$first" '^ *"? *812\.50 *"?,'
check "the date as day/month/two-digit year" "$first" ',05/03/26,'
check "the text as written" "$first" ',x,'
check "a null value is an empty cell" "$first" ',x,,'
check "the temperature through its column's format" "$first" '"? *20\.0 *"?'
check "the heading's text" "$first" 'Massa específica lida \(kg/m³\)'
check "the second sheet" "$second" '^segunda'
check "the sheets are named" "$fods" 'table:name="Tabela 1"'
check "A1:A3 merged" "$fods" 'table:number-rows-spanned="3"'
check "A4:A5 merged" "$fods" 'table:number-rows-spanned="2"'
check "B1:K1 merged" "$fods" 'table:number-columns-spanned="10"'
check "a yellow fill" "$fods" 'fo:background-color="#ffff00"'
check "a themed grey fill" "$fods" 'fo:background-color="#d9d9d9"'
check "bold" "$fods" 'fo:font-weight="bold"'
check "wrapped" "$fods" 'fo:wrap-option="wrap"'
check "centred" "$fods" 'fo:text-align="center"'
echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
