#!/usr/bin/env bash
# The RTF that ostrelin-render writes for a text job opens in another program's RTF reader
# (Debian's unrtf) with the same paragraphs, Czech letters, sizes, bold and italic.
source "$(dirname "$0")/e2e-lib.sh"
command -v unrtf >/dev/null || { echo "unrtf is not installed"; exit 77; }

rtf=$E2E_BASE/dopis.rtf
"$OSTRELIN_RENDER" "$OSTRELIN_SOURCE_DIR/examples/DOPIS.QSF" -o "$E2E_BASE/dopis.pdf" --rtf "$rtf"
html=$(unrtf --html "$rtf" 2>/dev/null)
# unrtf writes the letters it knows by name and the others as numeric character references.
text=$(python3 -c 'import html,sys,re; print(html.unescape(re.sub(r"<[^>]+>", "", sys.stdin.read())))' <<<"$html")

expect_contains() {
    grep -qF -- "$2" <<<"$1" || fail "unrtf shows no $3: $2"
}
expect_contains "$text" "Vážení odběratelé," "the heading with its Czech letters"
expect_contains "$text" "Dřevařská 12, 612 00 Brno" "an indented line"
expect_contains "$text" "Řádek 001: Příliš žluťoučký kůň úpěl ďábelské ódy." "the first body line"
expect_contains "$html" "<b>" "bold text"
expect_contains "$html" "<i>" "italic text"
expect_contains "$html" 'font size=' "font sizes"

paragraphs_written=$(grep -o '\\par\b' "$rtf" | wc -l)
lines_read=$(unrtf --text "$rtf" 2>/dev/null | sed '1,/^-----------------$/d' | wc -l)
expect_eq "$lines_read" "$paragraphs_written" "lines unrtf reads for the paragraphs written"
step "passed"
