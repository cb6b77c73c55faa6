#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/printing/PrinterState.h"

namespace ostrelin::platform::printing {
namespace {

using Kind = PrinterState::Kind;

struct StateCase {
    PrinterState State;
    std::string Text;
    bool Attention;
};

// Each state in words, and which of them call for the user. An idle printer is told by what
// there is to say of it, never as "ready" beside a fault.
TEST(PrinterStateTest, TellsTheStateInWordsAndWhetherItNeedsTheUser) {
    const std::vector<StateCase> cases = {
        {{.Printer = "laser"}, "Tiskárna „laser“: čeká na úlohy", false},
        {{.Printer = "laser", .AcceptingJobs = false}, "Tiskárna „laser“: nepřijímá úlohy", true},
        {{.Printer = "laser", .AcceptingJobs = false, .Reasons = {"toner-low"}},
         "Tiskárna „laser“: nepřijímá úlohy, dochází toner",
         true},
        {{.Printer = "laser", .State = Kind::Processing}, "Tiskárna „laser“: tiskne", false},
        {{.Printer = "laser", .State = Kind::Processing, .Reasons = {"toner-low"}},
         "Tiskárna „laser“: tiskne – dochází toner",
         false},
        {{.Printer = "laser",
          .State = Kind::Stopped,
          .AcceptingJobs = false,
          .Reasons = {"paused"}},
         "Tiskárna „laser“: zastavena – nepřijímá úlohy",
         true},
        {{.Printer = "laser", .State = Kind::Stopped, .Reasons = {"media-empty", "door-open"}},
         "Tiskárna „laser“: zastavena – došel papír, jsou otevřená dvířka",
         true},
        {{.Printer = "laser", .Reasons = {"media-jam"}}, "Tiskárna „laser“: uvízl papír", true},
        {{.Printer = "laser", .Reasons = {"com.example-fuser-warm"}},
         "Tiskárna „laser“: hlásí „com.example-fuser-warm“",
         false},
        {{.Printer = "laser", .State = Kind::Unreachable},
         "Tiskárna „laser“: tiskový systém CUPS neodpovídá",
         true},
        {{.Printer = "laser", .State = Kind::Gone},
         "Tiskárna „laser“: v systému CUPS už není",
         true},
        {{.Printer = "Tisk do PDF", .OutputFolder = "/home/eva/PDF"},
         "Tiskárna „Tisk do PDF“: ukládá do /home/eva/PDF",
         false},
        {{.Printer = "Tisk do PDF", .State = Kind::Processing, .OutputFolder = "~/PDF"},
         "Tiskárna „Tisk do PDF“: tiskne, ukládá do ~/PDF",
         false},
    };
    for (const StateCase& c : cases) {
        EXPECT_EQ(PrinterStateText(c.State), c.Text);
        EXPECT_EQ(NeedsAttention(c.State), c.Attention) << c.Text;
    }
}

}  // namespace
}  // namespace ostrelin::platform::printing
