#!/usr/bin/env bash
# The example spool files in examples/ are what examples/make-examples.sh makes today.
source "$(dirname "$0")/e2e-lib.sh"

if ! command -v gs >/dev/null; then
    echo "SKIPPED: Ghostscript (gs) is needed to make the cutting plan"
    exit 77
fi
: "${OSTRELIN_BINARY_DIR:?}"
bash "$OSTRELIN_SOURCE_DIR/examples/make-examples.sh" "$E2E_BASE/examples" "$OSTRELIN_BINARY_DIR"
for example in DOPIS.QSF PLAN.QSF; do
    cmp "$E2E_BASE/examples/$example" "$OSTRELIN_SOURCE_DIR/examples/$example" ||
        fail "examples/$example is not what make-examples.sh makes; run it again"
done
expect_eq "$("$OSTRELIN_RENDER" --info "$OSTRELIN_SOURCE_DIR/examples/DOPIS.QSF")" \
    $'kind: text\ndescription: Dopis odběratelům - ceník 2024' "the letter"
expect_eq "$("$OSTRELIN_RENDER" --info "$OSTRELIN_SOURCE_DIR/examples/PLAN.QSF")" \
    $'kind: raster\ndescription: Nářezový plán 1/2 - deska 2800 x 2070' "the cutting plan"
step "passed"
