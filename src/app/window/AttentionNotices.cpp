#include "app/window/AttentionNotices.h"

namespace ostrelin::app {

std::string AttentionNotices::PrinterTopic(const std::string& printer) {
    return "printer:" + printer;
}

void AttentionNotices::JobFailed(const std::string& name, const std::string& reason,
                                 bool windowHidden) {
    if (windowHidden) {
        notifier_.Notify({}, "Úlohu „" + name + "“ nelze vytisknout", reason);
    }
}

void AttentionNotices::PrinterState(const platform::printing::PrinterState& state,
                                    bool windowHidden) {
    const std::string text = platform::printing::PrinterStateText(state);
    if (text == lastPrinterState_) {
        return;
    }
    // A change the user saw in the window is not told again once it is hidden.
    lastPrinterState_ = text;
    if (windowHidden && platform::printing::NeedsAttention(state)) {
        notifier_.Notify(PrinterTopic(state.Printer),
                         "Tiskárna „" + state.Printer + "“ potřebuje pozornost", text);
    }
}

}  // namespace ostrelin::app
