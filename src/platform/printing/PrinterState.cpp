#include "platform/printing/PrinterState.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ostrelin::platform::printing {

namespace {

struct ReasonWords {
    std::string_view Keyword;
    std::string_view Words;
    bool Fault;  // the printer cannot go on until someone sees to it
};

// The reasons printers and CUPS report most, in words; the rest are shown by their keyword.
constexpr std::array kReasons = std::to_array<ReasonWords>({
    {"media-empty", "došel papír", true},
    {"media-needed", "chybí papír", true},
    {"media-jam", "uvízl papír", true},
    {"media-low", "dochází papír", false},
    {"input-tray-missing", "chybí zásobník papíru", true},
    {"output-area-full", "výstupní přihrádka je plná", true},
    {"output-tray-missing", "chybí výstupní přihrádka", true},
    {"door-open", "jsou otevřená dvířka", true},
    {"cover-open", "je otevřený kryt", true},
    {"interlock-open", "je otevřený kryt", true},
    {"toner-empty", "došel toner", true},
    {"toner-low", "dochází toner", false},
    {"marker-supply-empty", "došla barva", true},
    {"marker-supply-low", "dochází barva", false},
    {"marker-waste-full", "nádobka na odpad je plná", true},
    {"offline", "je vypnutá nebo odpojená", true},
    {"connecting-to-device", "připojuje se k tiskárně", false},
    {"timed-out", "neodpovídá", true},
    {"shutdown", "je vypnutá", true},
    {"paused", "pozastavena", false},
    {"spool-area-full", "tisková fronta je plná", true},
    {"cups-missing-filter", "chybí program, který úlohy pro tiskárnu převádí", true},
    {"cups-insecure-filter", "program, který úlohy převádí, není bezpečný", true},
    {"moving-to-paused", "pozastavuje se", false},
    {"other", "hlásí potíž", true},
});

const ReasonWords* WordsOf(std::string_view keyword) {
    const auto known =
        std::find_if(kReasons.begin(), kReasons.end(),
                     [&](const ReasonWords& words) { return words.Keyword == keyword; });
    return known == kReasons.end() ? nullptr : &*known;
}

std::string_view StateWords(const PrinterState& state) {
    switch (state.State) {
        case PrinterState::Kind::Idle:
            return "čeká na úlohy";
        case PrinterState::Kind::Processing:
            return "tiskne";
        case PrinterState::Kind::Stopped:
            return "zastavena";
        case PrinterState::Kind::Unreachable:
            return "tiskový systém CUPS neodpovídá";
        case PrinterState::Kind::Gone:
            return "v systému CUPS už není";
    }
    return {};
}

}  // namespace

std::string PrinterStateText(const PrinterState& state) {
    std::vector<std::string> details;
    if (!state.AcceptingJobs) {
        details.emplace_back("nepřijímá úlohy");
    }
    for (const std::string& reason : state.Reasons) {
        // A stopped queue is paused by definition: its state says so already.
        if (reason == "paused" && state.State == PrinterState::Kind::Stopped) {
            continue;
        }
        const ReasonWords* words = WordsOf(reason);
        details.emplace_back(words != nullptr ? std::string(words->Words)
                                              : "hlásí „" + reason + "“");
    }
    std::string text = "Tiskárna „" + state.Printer + "“: ";
    // An idle printer is told by what there is to say of it: its folder, a reason it gives, or
    // that it waits; a "ready" beside a reason such as no paper would contradict it.
    const bool idle = state.State == PrinterState::Kind::Idle;
    if (!idle || (details.empty() && state.OutputFolder.empty())) {
        text += StateWords(state);
    }
    if (!state.OutputFolder.empty()) {
        text += idle ? "ukládá do " : ", ukládá do ";
        text += state.OutputFolder;
    }
    for (std::size_t index = 0; index < details.size(); ++index) {
        const bool first = index == 0;
        const bool opensText = first && idle && state.OutputFolder.empty();
        text += opensText ? "" : first ? " – " : ", ";
        text += details[index];
    }
    return text;
}

bool NeedsAttention(const PrinterState& state) {
    if (state.State != PrinterState::Kind::Idle && state.State != PrinterState::Kind::Processing) {
        return true;
    }
    // Reasons the program has no words for are reports it cannot judge: shown, never urged.
    return !state.AcceptingJobs ||
           std::any_of(state.Reasons.begin(), state.Reasons.end(), [](const std::string& reason) {
               const ReasonWords* words = WordsOf(reason);
               return words != nullptr && words->Fault;
           });
}

}  // namespace ostrelin::platform::printing
