#include <cups/cups.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <thread>

#include "platform/CommandOutput.h"
#include "platform/Error.h"
#include "platform/TempDir.h"
#include "platform/printing/PageInk.h"
#include "platform/printing/SystemPrinting.h"
#include "report/TQRReport.h"
#include "report/TestBlock.h"

namespace ostrelin::platform::printing {
namespace {

namespace fs = std::filesystem;

// Everything below runs under with-private-cups.sh: queues ostrelin_pdf (default) and
// ostrelin_alt, each writing its jobs as a PDF into $OSTRELIN_CUPS_OUT.
class WithCups : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* out = std::getenv("OSTRELIN_CUPS_OUT");
        ASSERT_NE(out, nullptr) << "needs the private scheduler";
        output = out;
        system = MakeSystemPrinting();
    }
    fs::path output;
    std::unique_ptr<PrintingSystem> system;
};

TEST_F(WithCups, TheQueueIsListedWithItsCapabilities) {
    const auto driver = system->OpenDriver("ostrelin_pdf");
    ASSERT_NE(driver, nullptr);
    const DeviceMode mode = driver->DefaultDeviceMode();
    EXPECT_EQ(mode.Fields, kFieldPaperSize | kFieldOrientation | kFieldCopies | kFieldDuplex |
                               kFieldDefaultSource);
    EXPECT_EQ(mode.PaperSize, 9);
    EXPECT_EQ(mode.Duplex, kDuplexSimplex);
    EXPECT_EQ(mode.DefaultSource, 1);  // Tray 1
    const auto papers = driver->Papers(mode);
    for (const int code : {9, 1, 8, 11}) {
        EXPECT_NE(std::find(papers.begin(), papers.end(), code), papers.end()) << code;
    }
    EXPECT_EQ(driver->LogPixels(mode), (Resolution{600, 600}));
    // The queue's sheets have 5 mm margins, but the PDF it gets counts from the sheet's corner.
    EXPECT_EQ(driver->PrintingOffset(mode), (canvas::Point{0, 0}));
    EXPECT_EQ(driver->PhysicalPageSize(mode), (canvas::Point{4961, 7016}));
    EXPECT_THROW(
        {
            try {
                system->OpenDriver("no_such_queue");
            } catch (const Error& error) {
                EXPECT_STREQ(error.what(), "Tiskárna „no_such_queue“ v systému CUPS už není.");
                throw;
            }
        },
        Error);
}

using ostrelin::testing::CommandOutput;

// The newest job of a queue once it has completed; nothing when it does not complete.
std::optional<cups_job_t> CompletedJob(const char* queue) {
    for (int attempt = 0; attempt < 300; ++attempt) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ALL);
        std::optional<cups_job_t> newest;
        for (int i = 0; i < count; ++i) {
            if (!newest || jobs[i].id > newest->id) {
                newest = jobs[i];
            }
        }
        const bool done = newest && newest->state >= IPP_JSTATE_STOPPED;
        const std::string title = newest ? newest->title : "";
        const ipp_jstate_t state = newest ? newest->state : IPP_JSTATE_PENDING;
        const int id = newest ? newest->id : 0;
        cupsFreeJobs(count, jobs);
        if (done) {
            cups_job_t job{};
            job.id = id;
            job.state = state;
            static std::string kept;
            kept = title;
            job.title = kept.data();
            return job;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

// Attributes of a job, as the scheduler keeps them after the job completed.
struct JobAttributes {
    int copies = 0;
    std::string media;
};

JobAttributes AttributesOfJob(int id) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    JobAttributes attributes;
    if (response != nullptr) {
        if (ipp_attribute_t* copies = ippFindAttribute(response, "copies", IPP_TAG_INTEGER)) {
            attributes.copies = ippGetInteger(copies, 0);
        }
        if (ipp_attribute_t* media = ippFindAttribute(response, "media", IPP_TAG_ZERO)) {
            attributes.media = ippGetString(media, 0, nullptr);
        }
        ippDelete(response);
    }
    return attributes;
}

TEST_F(WithCups, WaitingEventsAreHandledWhileTheLastPageEndsAndTheDocumentIsSent) {
    int handled = 0;
    const auto counting = MakeSystemPrinting([&handled] { ++handled; });
    const auto printers = counting->Printers();
    const auto queue = std::find(printers.begin(), printers.end(), "ostrelin_alt");
    ASSERT_NE(queue, printers.end());
    report::TQRReport report(*counting);
    report.SetShowProgress(false);
    report.SetPrintIfEmpty(true);
    report.PrinterSettings().SetPrinterIndex(static_cast<int>(queue - printers.begin()));
    report::TQRBand detail(&report, report::rbDetail);
    report::testing::TestBlock block(&detail, 0x000000, 0, 0, 400, 300);
    block.OnPrint = [&handled] { handled = 0; };  // count only what comes after the drawing
    report.PrintReport();
    EXPECT_GE(handled, 2) << "once the page is drawn, and for each piece of the document sent";
    const auto job = CompletedJob("ostrelin_alt");
    ASSERT_TRUE(job.has_value());
    EXPECT_EQ(job->state, IPP_JSTATE_COMPLETED);
}

// Prints a two-page landscape report with two copies on the printer at `index`: a black block
// 40 x 30 mm at 25 mm from the left and 15 mm from the top of each sheet.
void PrintLandscapeReport(const PrintingSystem& system, int index) {
    using namespace report;
    TQRReport report(system);
    report.SetShowProgress(false);
    report.SetPrintIfEmpty(true);
    report.SetReportTitle("Tarvok Ostrelin - tisk nářezového plánu");
    report.Page().SetPaperSize(TQRPaperSize::A4);
    report.Page().SetOrientation(poLandscape);
    report.PrinterSettings().SetPrinterIndex(index);
    report.PrinterSettings().SetCopies(2);
    TQRBand detail(&report, rbDetail);
    detail.SetNativeHeight(1500);
    report::testing::TestBlock block(&detail, 0x000000, 0, 0, 400, 300);
    block.GrowSteps = 10;  // 2000 high on a landscape sheet 2100 long: a second page
    report.PrintReport();
}

TEST_F(WithCups, ATwoPageLandscapeReportWithTwoCopiesComesOutAsFourLandscapeSheets) {
    const auto printers = system->Printers();
    const auto queue = std::find(printers.begin(), printers.end(), "ostrelin_pdf");
    ASSERT_NE(queue, printers.end());
    PrintLandscapeReport(*system, static_cast<int>(queue - printers.begin()));
    const auto job = CompletedJob("ostrelin_pdf");
    ASSERT_TRUE(job.has_value()) << "the job did not complete";
    EXPECT_EQ(job->state, IPP_JSTATE_COMPLETED) << CommandOutput("tail -5 \"$OSTRELIN_CUPS_LOG\"");
    EXPECT_STREQ(job->title, "Tarvok Ostrelin - tisk nářezové");
    const JobAttributes attributes = AttributesOfJob(job->id);
    EXPECT_EQ(attributes.copies, 2);
    EXPECT_EQ(attributes.media, "iso_a4_210x297mm");

    const fs::path printed = output / "ostrelin_pdf.pdf";
    const std::string info = CommandOutput("pdfinfo -f 1 -l 9 '" + printed.string() + "'");
    EXPECT_TRUE(std::regex_search(info, std::regex(R"(Pages:\s+4\n)"))) << info;
    // Each sheet is an A4 page laid landscape: a landscape page box, turned for a portrait feed.
    for (int page = 1; page <= 4; ++page) {
        const std::string size =
            "Page\\s+" + std::to_string(page) + R"( size:\s+842 x 595 pts \(A4\))";
        EXPECT_TRUE(std::regex_search(info, std::regex(size))) << size << "\n" << info;
        const std::string rotation = "Page\\s+" + std::to_string(page) + R"( rot:\s+(90|270)\n)";
        EXPECT_TRUE(std::regex_search(info, std::regex(rotation))) << rotation << "\n" << info;
    }

    // The queue has 5 mm margins; the block stands where the built-in printer puts it all the
    // same, within half a point: 40 x 30 mm inside the report's 10 mm margins.
    const ostrelin::testing::TempDir folder;
    setenv("OSTRELIN_PDF_DIR", folder.Path().c_str(), 1);
    PrintLandscapeReport(*system, static_cast<int>(printers.size()) - 1);
    unsetenv("OSTRELIN_PDF_DIR");
    std::vector<fs::path> written;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        written.push_back(entry.path());
    }
    ASSERT_EQ(written.size(), 1u);
    const auto onQueue = ostrelin::testing::InkOfPage(printed, 1, folder.Path());
    const auto onBuiltIn = ostrelin::testing::InkOfPage(written.front(), 1, folder.Path());
    const std::array<double, 4> expected{454, 341, 113, 113};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(onQueue[i], onBuiltIn[i], 2) << "bound " << i;
        EXPECT_NEAR(onBuiltIn[i], expected[i], 2) << "bound " << i;
    }
}

}  // namespace
}  // namespace ostrelin::platform::printing
