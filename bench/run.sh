#!/usr/bin/env bash
# Times ostrelin-render against other programs that turn the same text or the same bitmap into a
# PDF, whole processes on this machine in one run, and prints per tool the median wall time, pages
# per second, output bytes and peak memory, then our ratio to every other tool.
#
#   bench/run.sh [--build DIR] [--work DIR] [--runs N]
#
#   --build DIR  build folder holding tools/render/ostrelin-render (default: build-bench, else build)
#   --work DIR   folder for the corpus and the outputs (default: a fresh temporary folder)
#   --runs N     timed runs per tool (default 5); a tool whose first run takes longer than
#                $BENCH_SLOW_SECONDS (default 60) is timed by that one run only
#
# Text: a 300-page Czech job through ostrelin-render, and the same lines as plain text through
# paps, enscript, a2ps (each followed by ps2pdf) and CUPS's texttopdf, all set to a 10-point
# fixed-pitch font on A4 with our margins (10 mm left, right and top, 15 mm bottom). Each text
# layer is compared with the source by pdftotext (bench/check-text.py).
# Raster: an A4 cutting plan and a wide one at 150 dpi through ostrelin-render, and the same
# bitmap as PBM through img2pdf, ImageMagick and Ghostscript's pdfwrite.
#
# Wall time is the median of the runs; CPU time (user + system, mean of the runs) is shown too,
# since on a busy machine it varies less. Peak memory is the largest resident size of any one
# process of a tool's pipeline (/usr/bin/time -f %M). Not part of CI.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=""
work=""
runs=5
slow=${BENCH_SLOW_SECONDS:-60}

while (($#)); do
    case $1 in
        --build) build=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        *) echo "run.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done

# --- what the benchmark needs -------------------------------------------------------------------

if [[ -z $build ]]; then
    build=$root/build-bench
    [[ -x $build/tools/render/ostrelin-render ]] || build=$root/build
fi
render=$build/tools/render/ostrelin-render

# ImageMagick 6 installs convert-im6.q16; a plain `convert` earlier on the PATH may be something else.
magick=""
for candidate in /usr/bin/convert-im6.q16 /usr/bin/magick /usr/bin/convert; do
    if [[ -x $candidate ]]; then magick=$candidate; break; fi
done

texttopdf=/usr/lib/cups/filter/texttopdf
urw=/usr/share/fonts/type1/urw-base35

missing_packages=()
need() {  # need PACKAGE PATH-OR-COMMAND
    if [[ $2 == /* ]]; then [[ -e $2 ]] && return 0; else command -v "$2" >/dev/null && return 0; fi
    missing_packages+=("$1")
}
need paps paps
need enscript enscript
need a2ps a2ps
need ghostscript gs
need ghostscript ps2pdf
need cups-filters "$texttopdf"
need img2pdf img2pdf
[[ -n $magick ]] || missing_packages+=(imagemagick)
need hyperfine hyperfine
need time /usr/bin/time
need poppler-utils pdfinfo
need poppler-utils pdftotext
need python3 python3
need fonts-urw-base35 "$urw/NimbusMonoPS-Regular.afm"
need fonts-liberation2 /usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf
if ((${#missing_packages[@]})); then
    readarray -t missing_packages < <(printf '%s\n' "${missing_packages[@]}" | sort -u)
    echo "run.sh: missing Debian packages: ${missing_packages[*]}" >&2
    echo "  apt-get install ${missing_packages[*]}" >&2
    exit 1
fi
if [[ ! -x $render ]]; then
    echo "run.sh: $render is not built (cmake --build $build --target ostrelin-render)" >&2
    exit 1
fi

if [[ -z $work ]]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
corpus=$work/corpus
out=$work/out
config=$work/config
mkdir -p "$corpus" "$out" "$config/home/.a2ps" "$config/afm" "$config/magick"
mkdir -p -m 700 "$config/runtime"

# --- corpus and the other tools' settings -----------------------------------------------------

echo "Making the corpus in $corpus ..."
python3 "$here/make-corpus.py" "$corpus"

# Our margins in points, rounded to what paps and enscript accept (whole points).
left=28 right=28 top=28 bottom=43

# enscript measures text with the AFM metrics it finds; its own Courier metrics lack the Czech
# letters (they would print as '?'), the URW Nimbus Mono metrics have them.
ln -sf "$urw/NimbusMonoPS-Regular.afm" "$config/afm/"
printf 'NimbusMonoPS-Regular\tNimbusMonoPS-Regular\n' >"$config/afm/font.map"
printf 'AFMPath: %s:/usr/share/enscript/afm\n' "$config/afm" >"$config/home/.enscriptrc"
# a2ps takes its margins from the medium: A4 with our margins as the printable box.
printf 'Medium: BenchA4 595 842 %d %d %d %d\n' $left $bottom $((595 - right)) $((842 - top)) \
    >"$config/home/.a2ps/a2psrc"
# texttopdf takes the paper from a PPD; this one has A4 only, printable to the edges, so that the
# page-* options alone set the margins.
cat >"$config/a4.ppd" <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "BENCHA4.PPD"
*Manufacturer: "Bench"
*Product: "(Bench)"
*ModelName: "Bench A4"
*ShortNickName: "Bench A4"
*NickName: "Bench A4"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*OpenUI *PageSize/Page Size: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
EOF

# Debian's ImageMagick policy forbids its PDF coder; the EPDF coder is the same writer under
# another name. Say so when it is used.
magick_pdf=PDF
if ! "$magick" -size 8x8 xc:white "PDF:$out/magick-probe.pdf" 2>/dev/null; then
    magick_pdf=EPDF
    echo "Note: ImageMagick's security policy forbids writing PDF; timed through its EPDF coder."
fi

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$config/runtime
peer_env="HOME=$config/home"
texttopdf_env="PPD=$config/a4.ppd CHARSET=utf-8 CONTENT_TYPE=text/plain"
texttopdf_options="cpi=12 lpi=6.35 page-left=$left page-right=$right page-top=$top page-bottom=$bottom"

# --- measuring ----------------------------------------------------------------------------------

results=$work/results.tsv
: >"$results"

# measure GROUP TOOL OUTPUT COMMAND: times COMMAND (a shell command line that writes OUTPUT) and
# appends "group tool seconds cpu-seconds runs pages bytes peak-KB text-check" to the results.
measure() {
    local group=$1 tool=$2 output=$3 command=$4
    local started ended first peak seconds cpu count pages bytes check="-"
    rm -f "$output"
    started=$(date +%s%N)
    /usr/bin/time -f '%M %U %S' -o "$out/usage" sh -c "$command" >/dev/null 2>"$out/stderr" || {
        echo "run.sh: $tool failed on $group:" >&2
        cat "$out/stderr" >&2
        return 0
    }
    ended=$(date +%s%N)
    read -r peak cpu < <(tail -n 1 "$out/usage" | awk '{ printf "%s %.4f\n", $1, $2 + $3 }')
    first=$(((ended - started) / 1000000))
    if ((first > slow * 1000 || runs < 2)); then
        seconds=$(awk -v ms="$first" 'BEGIN { printf "%.4f", ms / 1000 }')
        count=1
    else
        hyperfine --style none --runs "$runs" --export-json "$out/timing.json" "$command" \
            >/dev/null 2>&1
        read -r seconds cpu < <(python3 -c '
import json, sys
result = json.load(open(sys.argv[1]))["results"][0]
print("%.4f %.4f" % (result["median"], result["user"] + result["system"]))' "$out/timing.json")
        count=$runs
    fi
    pages=$(pdfinfo "$output" 2>/dev/null | awk '/^Pages:/ { print $2 }')
    bytes=$(stat -c %s "$output")
    if [[ $group == text ]]; then
        check=$(python3 "$here/check-text.py" "$corpus/text.txt" "$output" || true)
        check=${check// /_}
    fi
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$group" "$tool" "$seconds" "$cpu" "$count" \
        "${pages:-0}" "$bytes" "$peak" "$check" >>"$results"
    printf '  %-26s %8.3f s  (%s run%s)\n' "$tool" "$seconds" "$count" "$([[ $count == 1 ]] || echo s)"
}

echo "Text job, $(wc -l <"$corpus/text.txt") lines:"
measure text ostrelin-render "$out/text-ostrelin.pdf" \
    "'$render' '$corpus/text.qsf' -o '$out/text-ostrelin.pdf'"
measure text "enscript + ps2pdf" "$out/text-enscript.pdf" \
    "$peer_env enscript -q -B -X latin2 -f NimbusMonoPS-Regular10 -M A4 --word-wrap \
     --margins=$left:$right:$top:$bottom -o - '$corpus/text-latin2.txt' \
     | ps2pdf -sPAPERSIZE=a4 - '$out/text-enscript.pdf'"
measure text "a2ps + ps2pdf" "$out/text-a2ps.pdf" \
    "$peer_env a2ps -q -1 -B --borders=no -X iso2 --font-size=10 --medium=BenchA4 \
     --truncate-lines=no --margin=0 -o - '$corpus/text-latin2.txt' \
     | ps2pdf -sPAPERSIZE=a4 - '$out/text-a2ps.pdf'"
measure text "paps + ps2pdf" "$out/text-paps.pdf" \
    "paps --paper=a4 --font='Liberation Mono 10' --left-margin=$left --right-margin=$right \
     --top-margin=$top --bottom-margin=$bottom '$corpus/text.txt' \
     | ps2pdf -sPAPERSIZE=a4 - '$out/text-paps.pdf'"
measure text texttopdf "$out/text-texttopdf.pdf" \
    "$texttopdf_env $texttopdf 1 bench bench 1 '$texttopdf_options' '$corpus/text.txt' \
     >'$out/text-texttopdf.pdf'"

for plan in plan-a4 plan-wide; do
    echo "Raster job $plan ($(sed -n 2p "$corpus/$plan.pbm" | tr ' ' x) pixels):"
    measure "$plan" ostrelin-render "$out/$plan-ostrelin.pdf" \
        "'$render' '$corpus/$plan.qsf' -o '$out/$plan-ostrelin.pdf'"
    measure "$plan" img2pdf "$out/$plan-img2pdf.pdf" \
        "img2pdf --pagesize A4 --border ${left}:${left} --fit into \
         -o '$out/$plan-img2pdf.pdf' '$corpus/$plan.pbm'"
    measure "$plan" "ImageMagick" "$out/$plan-magick.pdf" \
        "'$magick' -density 150 '$corpus/$plan.pbm' '$magick_pdf:$out/$plan-magick.pdf'"
    measure "$plan" "ImageMagick Group4" "$out/$plan-magick-g4.pdf" \
        "'$magick' -density 150 '$corpus/$plan.pbm' -compress Group4 \
         '$magick_pdf:$out/$plan-magick-g4.pdf'"
    measure "$plan" "Ghostscript pdfwrite" "$out/$plan-gs.pdf" \
        "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -dPermitFileReading='$corpus/' \
         -sOutputFile='$out/$plan-gs.pdf' '$corpus/$plan.ps'"
done

# --- report -------------------------------------------------------------------------------------

python3 "$here/report.py" "$results"
