#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/CommandOutput.h"
#include "platform/printing/SystemPrinting.h"

namespace ostrelin::platform::printing {
namespace {

using Kind = PrinterState::Kind;
using ostrelin::testing::CommandOutput;

// Run with CUPS_SERVER naming a socket where no scheduler listens: the default is the built-in
// printer, so its state is that one's.
TEST(PrinterStateWithoutCups, TheDefaultIsTheBuiltInPrinterAndAQueueIsUnreachable) {
    const auto system = MakeSystemPrinting();
    const PrinterState fallback = system->StateOf("");
    EXPECT_EQ(fallback.Printer, "Tisk do PDF");
    EXPECT_FALSE(fallback.OutputFolder.empty());
    EXPECT_EQ(system->StateOf("ostrelin_pdf").State, Kind::Unreachable);
}

// Run under with-private-cups.sh: queues ostrelin_pdf (default) and ostrelin_alt.
class PrinterStateWithCups : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("OSTRELIN_CUPS_OUT"), nullptr) << "needs the private scheduler";
    }
    void TearDown() override { CommandOutput("cupsenable ostrelin_alt; cupsaccept ostrelin_alt"); }

    const std::unique_ptr<PrintingSystem> system = MakeSystemPrinting();
};

TEST_F(PrinterStateWithCups, TellsIdleStoppedRejectingAndGoneQueues) {
    const PrinterState idle = system->StateOf("ostrelin_alt");
    EXPECT_EQ(idle, (PrinterState{.Printer = "ostrelin_alt"}));
    EXPECT_EQ(system->StateOf("").Printer, "ostrelin_pdf") << "the default by its own name";

    CommandOutput("cupsdisable ostrelin_alt; cupsreject ostrelin_alt");
    const PrinterState stopped = system->StateOf("ostrelin_alt");
    EXPECT_EQ(stopped.State, Kind::Stopped);
    EXPECT_FALSE(stopped.AcceptingJobs);
    EXPECT_EQ(stopped.Reasons, std::vector<std::string>{"paused"});
    EXPECT_TRUE(NeedsAttention(stopped));

    EXPECT_EQ(system->StateOf("ostrelin_never_added").State, Kind::Gone);
}

// A printer that runs out of paper: its backend (nopaper:, see with-private-cups.sh) takes the job,
// says so and stops the queue, and the state tells it in words.
TEST_F(PrinterStateWithCups, AQueueOutOfPaperSaysSo) {
    CommandOutput(
        "lpadmin -p ostrelin_nopaper -E -v nopaper:/ 2>&1; "
        "echo job | lp -d ostrelin_nopaper 2>&1");
    PrinterState state;
    for (int attempt = 0; attempt < 100 && state.State != Kind::Stopped; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        state = system->StateOf("ostrelin_nopaper");
    }
    CommandOutput("lpadmin -x ostrelin_nopaper");
    EXPECT_EQ(state.State, Kind::Stopped);
    EXPECT_EQ(state.Reasons, (std::vector<std::string>{"media-empty", "paused"}));
    EXPECT_EQ(PrinterStateText(state), "Tiskárna „ostrelin_nopaper“: zastavena – došel papír");
    EXPECT_TRUE(NeedsAttention(state));
}

// A scheduler that takes the connection and never answers: the question gives up in time.
TEST_F(PrinterStateWithCups, GivesUpOnASchedulerThatNeverAnswers) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("ostrelin-mute-" + std::to_string(getpid())))
            .string();
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 8), 0);
    const std::string scheduler = std::getenv("CUPS_SERVER");
    setenv("CUPS_SERVER", path.c_str(), 1);

    // On a thread of its own, which reads the scheduler's address afresh, as the window asks.
    PrinterState state;
    const auto start = std::chrono::steady_clock::now();
    std::thread([&] { state = system->StateOf("ostrelin_alt"); }).join();
    const auto waited = std::chrono::steady_clock::now() - start;

    setenv("CUPS_SERVER", scheduler.c_str(), 1);
    ::close(listener);
    std::filesystem::remove(path);
    EXPECT_EQ(state.State, Kind::Unreachable);
    // Generous for a loaded machine; without a limit of its own the request waits for minutes.
    EXPECT_LT(waited, std::chrono::seconds(20));
}

}  // namespace
}  // namespace ostrelin::platform::printing
