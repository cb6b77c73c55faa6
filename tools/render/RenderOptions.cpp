#include "tools/render/RenderOptions.h"

#include <filesystem>

namespace ostrelin::tools::render {

namespace {

constexpr std::string_view kUsage =
    R"(Použití: ostrelin-render ÚLOHA.QSF [-o VÝSTUP.pdf] [--printer TISKÁRNA] [--rtf VÝSTUP.rtf] [--pbm VÝSTUP.pbm] [--info]

Dekóduje soubor úlohy tiskového spooleru Ostrelin a vytiskne ho vlastní tiskovou sestavou spooleru
přesně tak, jak ho tiskne spooler: textovou úlohu na tolik stran A4, kolik jich potřebuje,
rastrovou úlohu (nářezový plán) vměstnanou na jednu stranu A4.

  -o VÝSTUP.pdf        vytiskne úlohu na vestavěnou tiskárnu „Tisk do PDF“ a dokument zapíše
                       do souboru VÝSTUP.pdf (existující soubor nahradí)
  --printer TISKÁRNA   vytiskne úlohu na nainstalovanou tiskárnu TISKÁRNA, a ne do PDF
  --rtf VÝSTUP.rtf     zapíše sestavený dokument ve formátu RTF (jen u textové úlohy)
  --pbm VÝSTUP.pbm     zapíše dekódovaný obrázek jako binární obraz PBM (P4), jen u rastrové
                       úlohy; úloha bez řádků dá obraz 0 × 0
  --info               vypíše dva řádky: „kind: text“ (textová úloha) nebo „kind: raster“
                       (rastrová úloha) a „description: “ s popisem úlohy, jak ho ukazuje
                       fronta spooleru
  -h, --help           ukáže tuto nápovědu

Bez -o, --printer, --rtf, --pbm a --info se úloha vytiskne do PDF pojmenovaného po úloze,
s příponou .pdf. Tisk na „Tisk do PDF“ přes --printer zapisuje do složky této tiskárny
($OSTRELIN_PDF_DIR, jinak ~/PDF).

Návratový kód: 0, když se udělalo vše požadované, 1, když úlohu nelze přečíst, tiskárna není
nainstalována nebo tisk selže, 2 při chybném příkazovém řádku.
)";

}  // namespace

RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
    RenderOptions options;
    std::vector<std::string> jobs;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= arguments.size()) {
                throw UsageError("chybí hodnota přepínače " + argument);
            }
            return arguments[++i];
        };
        if (argument == "-h" || argument == "--help") {
            options.Help = true;
        } else if (argument == "-o") {
            options.Output = value();
        } else if (argument == "--printer") {
            options.Printer = value();
        } else if (argument == "--rtf") {
            options.Rtf = value();
        } else if (argument == "--pbm") {
            options.Pbm = value();
        } else if (argument == "--info") {
            options.Info = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            throw UsageError("neznámý přepínač " + argument);
        } else {
            jobs.push_back(argument);
        }
    }
    if (options.Help) {
        return options;
    }
    if (jobs.size() != 1) {
        throw UsageError(jobs.empty() ? "chybí soubor úlohy" : "lze zadat jen jeden soubor úlohy");
    }
    options.Job = jobs.front();
    if (options.Output && options.Printer) {
        throw UsageError("přepínače -o a --printer se navzájem vylučují");
    }
    if (options.Prints() && !options.Output && !options.Printer) {
        options.Output = std::filesystem::path(options.Job).replace_extension(".pdf").string();
    }
    return options;
}

std::string_view RenderUsage() {
    return kUsage;
}

}  // namespace ostrelin::tools::render
