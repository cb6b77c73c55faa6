#!/usr/bin/env bash
# Writes the example spool files into a folder (default: the folder of this script):
#   DOPIS.QSF  a Czech text job of three pages that uses every formatting command
#   PLAN.QSF   a cutting plan: tests/print/fixtures/cutting-plan.ps drawn by Ghostscript's
#              LaserJet 4 driver at 150 dpi and turned into a raster job by ostrelin-pcl2qsf
#
#   examples/make-examples.sh [OUTPUT_DIR] [BUILD_DIR]
#
# BUILD_DIR is the build folder that holds tools/pcl/ostrelin-pcl2qsf (default: build).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out=${1:-$here}
build=${2:-$root/build}
# shellcheck source=qsf-records.sh
source "$here/qsf-records.sh"

readonly pangram="Příliš žluťoučký kůň úpěl ďábelské ódy."

# The letter: headings in large bold type, an indented address, italic and underlined words,
# small print, and a numbered list long enough to flow over three A4 pages.
write_letter() {
    qsf_header "Dopis odběratelům - ceník 2024"
    qsf_command 3; qsf_command 7
    qsf_text "Vážení odběratelé,"
    qsf_command 8; qsf_command 5
    qsf_command 14
    qsf_command 101 36
    qsf_text "Truhlářství Veldane s.r.o."
    qsf_text "Dřevařská 12, 612 00 Brno"
    qsf_command 101 0
    qsf_command 14
    qsf_command 4
    qsf_text "od 1. ledna platí nový ceník řezání a olepování hran."
    qsf_command 9; qsf_text "Ceny jsou uvedeny bez DPH."; qsf_command 10
    qsf_command 11; qsf_text "Objednávky přijímáme do 15. prosince."; qsf_command 12
    qsf_command 100
    qsf_text "(Základní písmo: Courier New, stále 12 bodů.)"
    qsf_command 5
    qsf_command 14
    local line
    for line in $(seq -w 1 160); do
        printf 'Řádek %s: %s\r\n' "$line" "$pangram"
    done | qsf_text_lines
    qsf_command 14
    qsf_command 6
    qsf_text "Drobné písmo: ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž"
    qsf_command 5; qsf_command 7; qsf_command 9; qsf_command 11
    qsf_text "S pozdravem, Tarvok Calc"
}

write_plan() {
    local pcl2qsf=$build/tools/pcl/ostrelin-pcl2qsf work
    if [[ ! -x $pcl2qsf ]]; then
        echo "make-examples.sh: $pcl2qsf is not built (cmake --build $build --target ostrelin-pcl2qsf)" >&2
        return 1
    fi
    work=$(mktemp -d)
    gs -q -dSAFER -dNOPAUSE -dBATCH -r150 -sDEVICE=ljet4 -sOutputFile="$work/plan.pcl" \
        "$root/tests/print/fixtures/cutting-plan.ps"
    "$pcl2qsf" --description "Nářezový plán 1/2 - deska 2800 x 2070" "$work/plan.pcl" "$1"
    rm -rf "$work"
}

mkdir -p "$out"
write_letter >"$out/DOPIS.QSF"
write_plan "$out/PLAN.QSF"
