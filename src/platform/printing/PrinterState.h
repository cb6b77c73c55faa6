#pragma once

#include <string>
#include <vector>

namespace ostrelin::platform::printing {

// What the printing system says of one printer at one moment.
struct PrinterState {
    enum class Kind {
        Idle,         // waiting for jobs
        Processing,   // printing a job
        Stopped,      // stopped by its administrator or by a fault
        Unreachable,  // its printing system did not answer in time
        Gone,         // its printing system does not know it
    };

    std::string Printer = {};  // the printer asked about; the default's own name for the default
    Kind State = Kind::Idle;
    bool AcceptingJobs = true;
    // Why the printer is as it is, as IPP's printer-state-reasons keywords without their
    // "-error", "-warning" and "-report" endings; "none" is left out.
    std::vector<std::string> Reasons = {};
    // Where a printer that writes files puts them; empty for others.
    std::string OutputFolder = {};

    friend bool operator==(const PrinterState&, const PrinterState&) = default;
};

// The state in the user's words, naming the printer: "Tiskárna „laser“: zastavena – došel papír".
std::string PrinterStateText(const PrinterState& state);

// True when the printer cannot print, or needs the user: it is stopped, unreachable, gone, does
// not take jobs, or reports a fault such as no paper.
bool NeedsAttention(const PrinterState& state);

}  // namespace ostrelin::platform::printing
