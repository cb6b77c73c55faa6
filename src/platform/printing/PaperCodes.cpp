#include "platform/printing/PaperCodes.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace ostrelin::platform::printing {

namespace {

// Several codes share a sheet (Letter, Letter Small and Note; Tabloid, Ledger and 11×17; A4 and A4
// Small); looking a sheet up gives the first of them.
constexpr std::array<PaperCodeInfo, 26> kPapers{{
    {1, "na_letter_8.5x11in", 21590, 27940},
    {2, "na_letter_8.5x11in", 21590, 27940},
    {3, "na_ledger_11x17in", 27940, 43180},
    {4, "na_ledger_11x17in", 43180, 27940},
    {5, "na_legal_8.5x14in", 21590, 35560},
    {6, "na_invoice_5.5x8.5in", 13970, 21590},
    {7, "na_executive_7.25x10.5in", 18415, 26670},
    {8, "iso_a3_297x420mm", 29700, 42000},
    {9, "iso_a4_210x297mm", 21000, 29700},
    {10, "iso_a4_210x297mm", 21000, 29700},
    {11, "iso_a5_148x210mm", 14800, 21000},
    {12, "iso_b4_250x353mm", 25000, 35300},
    {13, "jis_b5_182x257mm", 18200, 25700},
    {14, "na_foolscap_8.5x13in", 21590, 33020},
    {15, "na_quarto_8.5x10.83in", 21590, 27510},
    {16, "na_10x14_10x14in", 25400, 35560},
    {17, "na_ledger_11x17in", 27940, 43180},
    {18, "na_letter_8.5x11in", 21590, 27940},
    {19, "na_number-9_3.875x8.875in", 9843, 22543},
    {20, "na_number-10_4.125x9.5in", 10478, 24130},
    {21, "na_number-11_4.5x10.375in", 11430, 26353},
    {22, "na_number-12_4.75x11in", 12065, 27940},
    {23, "na_number-14_5x11.5in", 12700, 29210},
    {24, "na_c_17x22in", 43180, 55880},
    {25, "na_d_22x34in", 55880, 86360},
    {26, "na_e_34x44in", 86360, 111760},
}};

bool Near(int a, int b) {
    return std::abs(a - b) <= 100;
}

}  // namespace

std::span<const PaperCodeInfo> PaperCodeTable() {
    return kPapers;
}

std::optional<PaperCodeInfo> PaperOfCode(int code) {
    const auto found = std::find_if(kPapers.begin(), kPapers.end(),
                                    [code](const PaperCodeInfo& p) { return p.Code == code; });
    return found == kPapers.end() ? std::nullopt : std::optional(*found);
}

std::optional<std::int16_t> PaperCodeOfMediaName(std::string_view mediaName) {
    for (const PaperCodeInfo& paper : kPapers) {
        if (paper.MediaName == mediaName) {
            return paper.Code;
        }
    }
    return std::nullopt;
}

std::optional<std::int16_t> PaperCodeOfSize(int width, int length) {
    for (const PaperCodeInfo& paper : kPapers) {
        if ((Near(paper.Width, width) && Near(paper.Length, length)) ||
            (Near(paper.Width, length) && Near(paper.Length, width))) {
            return paper.Code;
        }
    }
    return std::nullopt;
}

}  // namespace ostrelin::platform::printing
