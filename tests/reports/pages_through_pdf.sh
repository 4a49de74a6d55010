#!/usr/bin/env bash
# Report pages read by programs we did not write: the test program writes
# page metafiles under Wine, LibreOffice converts them to PDF, pdftotext
# must find the pages' texts in order, and pdftoppm leaves a picture of each
# page beside them for the eye.
#   pages_through_pdf.sh SOURCE_DIR BUILD_DIR TEST_PROGRAM.exe
set -euo pipefail
source_dir=$1
build_dir=$2
program=$3
folder=$(dirname "$program")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -f "$folder"/tabela1_pag1.emf "$folder"/analises_pag1.emf
"$source_dir/tools/wine-run" "$build_dir" "$program" -tc="pages written for other programs" --no-skip=true >"$scratch/run.log" 2>&1 ||
  { cat "$scratch/run.log"; exit 1; }

failures=0
# Each expected text must come after the one before it.
expect_in_order() {
  local text=$1; shift
  local rest=$text
  for want in "$@"; do
    if ! grep -qP -- "$want" <<<"$rest"; then
      echo "FAIL: '$want' not found (in order) in the page's text"
      failures=$((failures + 1))
      return
    fi
    rest=$(WANT=$want perl -0777 -pe 's/^.*?$ENV{WANT}//s' <<<"$rest")
  done
}

for page in tabela1_pag1 analises_pag1; do
  [ -s "$folder/$page.emf" ] || { echo "FAIL: $page.emf was not written"; exit 1; }
  timeout 300 soffice --headless --norestore "-env:UserInstallation=file://$scratch/profile" \
    --convert-to pdf --outdir "$scratch" "$folder/$page.emf" >"$scratch/soffice.log" 2>&1 ||
    { cat "$scratch/soffice.log"; echo "FAIL: LibreOffice could not convert $page.emf"; exit 1; }
  [ -s "$scratch/$page.pdf" ] || { echo "FAIL: no PDF for $page"; exit 1; }
  pdftoppm -png -r 80 -singlefile "$scratch/$page.pdf" "$folder/${page}_pdf"
  text=$(pdftotext -layout "$scratch/$page.pdf" -)
  case $page in
    tabela1_pag1)
      expect_in_order "$text" "Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m" "Usina São João" \
        "780,25 - 790,50" "-20,0 - -14,0" "Instruções de uso:" "Temperatura de ensaio °C" "-20,0" \
        "780,25" "Pag:\s+1\s*/\s*11" ;;
    analises_pag1)
      expect_in_order "$text" "Usina São João" "Data da Amostragem: 05/03/2026" "Amostras" "\(kg/m3\)" \
        "Tanque 3\s+812,50\s+25,0\s+30,0\s+816,3\s+93,4\s+95,2\s+0,9967" "Pag:\s+1\s*/\s*1" ;;
  esac
done
if [ $failures -gt 0 ]; then
  echo "$text"
  exit 1
fi
echo "pages through PDF: texts found in order; pictures in $folder"
