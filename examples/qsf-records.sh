# Building blocks of Ostrelin spool files (*.QSF), for bash scripts: source this file, then call
# the functions below with standard output redirected into the spool file. Each function writes
# raw bytes; text arguments are UTF-8 and go into the file in code page 852, as the calculation
# program writes them.
#
#   { qsf_header "Faktura č. 12"; qsf_command 7; qsf_text "Celkem"; } >FAKTURA.QSF

# Writes the bytes given as decimal numbers.
qsf_bytes() {
    local escapes="" escape value
    for value in "$@"; do
        printf -v escape '\\%03o' "$value"
        escapes+=$escape
    done
    printf "$escapes"
}

# Writes UTF-8 text converted to code page 852.
qsf_cp852() {
    printf '%s' "$1" | iconv -f UTF-8 -t CP852
}

# Number of characters of the UTF-8 text: its length in bytes in code page 852, which has one
# byte per character.
qsf_characters() {
    local LC_ALL=C.UTF-8
    printf '%s' "${#1}"
}

# Writes the type byte and the one-byte length of a short record of the given data length.
qsf_short_record_head() {
    if (($2 > 255)); then
        echo "qsf: $2 bytes do not fit a short record" >&2
        return 1
    fi
    qsf_bytes "$1" "$2"
}

# The description line (shown in the queue), its line end and the two skipped bytes.
qsf_header() {
    qsf_cp852 "$1"
    qsf_bytes 13 10 0 0
}

# A text record: one line of the document.
qsf_text() {
    qsf_short_record_head 0 "$(qsf_characters "$1")"
    qsf_cp852 "$1"
}

# One text record for each line read from standard input (converted in one go, which is much
# faster than line by line for long documents). A line that ends in CR LF keeps both in its
# record; other lines lose their LF.
qsf_text_lines() {
    local LC_ALL=C line
    iconv -f UTF-8 -t CP852 | while IFS= read -r line; do
        [[ $line == *$'\r' ]] && line+=$'\n'
        qsf_short_record_head 0 "${#line}"
        printf '%s' "$line"
    done
}

# A command record: a formatting code and, for codes from 100 on, its parameter.
#   3 16 pt, 4 12 pt, 5 10 pt, 6 8 pt, 7/8 bold on/off, 9/10 italic on/off, 11/12 underline
#   on/off, 14 empty paragraph, 100 base font (Courier New 10 pt), 101 N indent of N points.
qsf_command() {
    qsf_bytes 1 $# "$@"
}

# An escape record: ESC followed by the ASCII text, e.g. qsf_escape '*t75R'.
qsf_escape() {
    qsf_short_record_head 3 $((${#1} + 1))
    qsf_bytes 27
    printf '%s' "$1"
}

# One raster row announced and sent: ESC *b<n>W, then a data record with the row's bytes
# (given as decimal numbers, bit 7 of the first byte is the leftmost pixel, a set bit is black).
qsf_raster_row() {
    local count=$#
    qsf_escape "*b${count}W"
    qsf_bytes 2 $((count % 256)) $((count / 256)) "$@"
}

# The escapes that open a raster job at 75 dpi (the first one marks the file as a raster job).
qsf_raster_start() {
    qsf_escape '*t75R'
    qsf_escape '*r1A'
}

# The escape that ends the raster graphics.
qsf_raster_end() {
    qsf_escape '*rB'
}
