#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/printing/fake/FakePrintingSystem.h"
#include "platform/richtext/fake/FixedTextMetrics.h"
#include "print/RecordingWaitCursor.h"
#include "print/TPrintQReport.h"
#include "report/TQRImage.h"

namespace ostrelin::print {
namespace {

namespace pp = platform::printing;
namespace pc = platform::canvas;
using report::PixelBounds;
using report::poLandscape;
using report::poPortrait;
using report::TPrinterOrientation;

// At 254 dots per inch a device pixel is a tenth of a millimetre. The fixed metrics make a
// 10-point line 40 pixels high, its baseline 30 pixels below its top.
pp::fake::FakePrinterSetup Printer254(std::string name) {
    pp::fake::FakePrinterSetup printer;
    printer.Name = std::move(name);
    printer.Dpi = {254, 254};
    return printer;
}

TPrintJob Job(std::int32_t orientationMode, std::int32_t printerIndex = -1) {
    return {.Title = "Tarvok Ostrelin - tisk nářezového plánu",
            .StretchImage = true,
            .CenterImage = true,
            .OrientationMode = orientationMode,
            .PrinterIndex = printerIndex,
            .Copies = 1,
            .FirstPage = 1,
            .LastPage = 9999};
}

// A picture of `width` × `height` pixels (width a multiple of 8), all white.
RasterBitmap Picture(int width, int height) {
    RasterBitmap bitmap;
    for (int y = 0; y < height; ++y) {
        bitmap.AppendRow(std::string(static_cast<std::size_t>(width / 8), '\0'));
    }
    return bitmap;
}

// An RTF document of one-line paragraphs "L0", "L1", ... in Courier New 10 points.
std::string LinesRtf(int count, int firstNumber = 0) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0\\fs20 ";
    for (int i = 0; i < count; ++i) {
        rtf += 'L';
        rtf += std::to_string(firstNumber + i);
        rtf += "\\par ";
    }
    return rtf + "}";
}

// What the report looked like when its run began.
struct RunView {
    std::optional<PixelBounds> Image;
    bool Center = false;
    bool Stretch = false;
    TPrinterOrientation Orientation = poPortrait;
    bool BandEnabled = false;
    PixelBounds Band;
    PixelBounds Text;
};

class ReportForm : public ::testing::Test {
  protected:
    ReportForm()
        : system({Printer254("Alpha"), Printer254("Beta")}, "Alpha"),
          metrics(2 * 72.0 / 254.0, 4 * 72.0 / 254.0),
          form(system, metrics, cursor) {
        form.QReport().BeforePrint = [this](report::TQRReport& report, bool&) {
            RunView view;
            for (report::ReportControl* child : report.Children()) {
                if (const auto* image = dynamic_cast<report::TQRImage*>(child)) {
                    view.Image = image->Bounds();
                    view.Center = image->Center();
                    view.Stretch = image->Stretch();
                }
            }
            view.Orientation = report.Page().Orientation();
            view.BandEnabled = form.DetailBand().Enabled();
            view.Band = form.DetailBand().Bounds();
            view.Text = form.QRRichText().Bounds();
            runs.push_back(view);
        };
    }

    bool ImageOnReport() {
        return std::any_of(form.QReport().Children().begin(), form.QReport().Children().end(),
                           [](report::ReportControl* child) {
                               return dynamic_cast<report::TQRImage*>(child) != nullptr;
                           });
    }

    const pp::fake::FakeDocument& LastDocument() const { return *system.Log().Documents.back(); }

    template <typename Command>
    std::vector<Command> CommandsOn(const pp::fake::FakeDocument& document, int page) const {
        std::vector<Command> found;
        for (const auto& command :
             document.Pages.at(static_cast<std::size_t>(page - 1))->Commands()) {
            if (const auto* wanted = std::get_if<Command>(&command)) {
                found.push_back(*wanted);
            }
        }
        return found;
    }

    std::vector<std::string> TextOn(const pp::fake::FakeDocument& document, int page) const {
        std::vector<std::string> texts;
        for (const pc::TextCommand& text : CommandsOn<pc::TextCommand>(document, page)) {
            texts.push_back(text.Text);
        }
        return texts;
    }

    pp::fake::FakePrintingSystem system;
    platform::richtext::FixedTextMetrics metrics;
    testing::RecordingWaitCursor cursor;
    TPrintQReport form;
    std::vector<RunView> runs;
};

TEST_F(ReportForm, StartsAsAnA4ReportWithItsMarginsBandAndRichTextElement) {
    report::TQRReport& report = form.QReport();
    const report::TQRPage& page = report.Page();
    EXPECT_EQ(page.PaperSize(), report::TQRPaperSize::A4);
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_EQ(page.Columns(), 1);
    const double expected[] = {150, 2970, 100, 2100, 100, 100, 0};
    for (int index = 0; index < 7; ++index) {
        EXPECT_DOUBLE_EQ(page.NativeValue(index), expected[index]) << index;
    }
    EXPECT_EQ(report.Units(), report::TQRUnit::MM);
    EXPECT_TRUE(report.PrintIfEmpty());
    EXPECT_FALSE(report.ShowProgress());
    EXPECT_EQ(report.Options(), (report::TQROptions{report::TQROption::FirstPageHeader,
                                                    report::TQROption::LastPageFooter}));
    EXPECT_EQ(report.PrinterSettings().Copies(), 1);
    EXPECT_EQ(report.PrinterSettings().FirstPage(), 0);
    EXPECT_EQ(report.PrinterSettings().LastPage(), 0);
    EXPECT_EQ(report.PrinterSettings().OutputBin(), report::TQRBin::Auto);
    EXPECT_EQ(report.Bounds().Width, 794);
    EXPECT_EQ(report.Bounds().Height, 1123);
    EXPECT_EQ(form.Printable(), (PrintableArea{718, 37, 1028, 37}));

    EXPECT_EQ(form.DetailBand().BandType(), report::rbDetail);
    EXPECT_TRUE(form.DetailBand().ForceNewPage());
    EXPECT_TRUE(form.DetailBand().Enabled());
    EXPECT_EQ(form.DetailBand().Bounds(), (PixelBounds{38, 38, 718, 183}));
    EXPECT_EQ(form.QRRichText().Parent(), &form.DetailBand());
    EXPECT_TRUE(form.QRRichText().AutoStretch());
    EXPECT_EQ(form.QRRichText().Bounds(), (PixelBounds{32, 20, 100, 100}));
    EXPECT_EQ(form.QRRichText().Lines().TextLength(), 0);
}

TEST_F(ReportForm, APictureIsFittedIntoThePrintableAreaInTheOrientationTheJobAsks) {
    const struct {
        std::int32_t mode;
        int width, height;
        bool center;
        TPrinterOrientation orientation;
        PixelBounds element;
    } cases[] = {
        {0, 2400, 1000, true, poPortrait, {37, 401, 718, 299}},
        {1, 2400, 1000, true, poLandscape, {37, 168, 1047, 436}},
        {2, 2400, 1000, true, poLandscape, {37, 168, 1047, 436}},
        {0, 1000, 2400, true, poPortrait, {182, 37, 428, 1028}},
        // A square picture prints in landscape, one a pixel taller than wide in portrait.
        {2, 504, 504, true, poLandscape, {211, 37, 699, 699}},
        {2, 504, 505, true, poPortrait, {37, 191, 718, 719}},
        {1, 2400, 1000, false, poLandscape, {37, 37, 1047, 436}},
        {0, 2400, 1000, false, poPortrait, {37, 37, 718, 299}},
        // Rows without pixels: no proportion, so the height branch with no width.
        {0, 0, 40, true, poPortrait, {37 + 359, 37, 0, 1028}},
    };
    for (const auto& c : cases) {
        runs.clear();
        TPrintJob job = Job(c.mode);
        job.CenterImage = c.center;
        EXPECT_TRUE(form.PrintBitmapJob(job, Picture(c.width, c.height)));
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].Orientation, c.orientation) << c.width << "x" << c.height;
        EXPECT_EQ(runs[0].Image, c.element) << c.mode << " " << c.width << "x" << c.height;
        EXPECT_EQ(runs[0].Center, c.center);
        EXPECT_TRUE(runs[0].Stretch);
        EXPECT_EQ(LastDocument().Pages.size(), 1u);
        EXPECT_FALSE(ImageOnReport());
    }
}

TEST_F(ReportForm, ThePictureIsDrawnStretchedIntoTheElementOnTheSheet) {
    RasterBitmap bitmap = Picture(2400, 999);
    bitmap.AppendRow(std::string(300, '\xFF'));  // a black bottom row
    TPrintJob job = Job(0);
    form.PrintBitmapJob(job, bitmap);
    // The element at 37, 401, 718 × 299 screen pixels is 98, 1061 to 1998, 1852 on the sheet at
    // 254 dpi: fewer device pixels than the picture has, so it arrives reduced to 1900 × 791.
    const auto pieces = CommandsOn<pc::BitmapCommand>(LastDocument(), 1);
    ASSERT_FALSE(pieces.empty());
    int top = 1061;
    int rows = 0;
    for (const pc::BitmapCommand& piece : pieces) {
        EXPECT_EQ(piece.Destination.Left, 98);
        EXPECT_EQ(piece.Destination.Right, 1998);
        EXPECT_EQ(piece.Destination.Top, top);
        EXPECT_EQ(piece.Bitmap.Width, 1900);
        EXPECT_EQ(piece.Bitmap.BitsPerPixel, 1);
        top = piece.Destination.Bottom;
        rows += piece.Bitmap.Height;
    }
    EXPECT_EQ(top, 1852);
    EXPECT_EQ(rows, 791);
    // The black row survives the reduction: the last device row is black all along.
    const pc::DeviceBitmap& last = pieces.back().Bitmap;
    const auto lastRow = last.Bits.begin() + (last.Height - 1) * last.Stride();
    EXPECT_TRUE(std::all_of(lastRow, lastRow + 1900 / 8, [](std::uint8_t b) { return b == 0; }));
}

TEST_F(ReportForm, OrientationStaysUntilAJobSetsItAgain) {
    const struct {
        bool text;
        std::int32_t mode;
        TPrinterOrientation expected;
    } steps[] = {
        {true, 2, poPortrait},  {false, 1, poLandscape}, {false, 3, poLandscape},
        {true, 2, poLandscape}, {true, 0, poPortrait},   {false, -1, poPortrait},
        {true, 1, poLandscape}, {false, 0, poPortrait},
    };
    for (const auto& step : steps) {
        runs.clear();
        TPrintJob job = Job(step.mode);
        if (step.text) {
            form.PrintRichTextJob(job, LinesRtf(1));
        } else {
            form.PrintBitmapJob(job, Picture(16, 8));
        }
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].Orientation, step.expected) << step.text << " " << step.mode;
    }
}

TEST_F(ReportForm, TheJobsSettingsGoToThePrinter) {
    TPrintJob job = Job(0, 1);
    job.Title = "Tarvok Ostrelin - tisk nářezového plánu číslo 2";
    job.Copies = 2;
    form.PrintBitmapJob(job, Picture(16, 8));
    const report::TQRReportPrinterSettings& settings = form.QReport().PrinterSettings();
    EXPECT_EQ(settings.PrinterIndex(), 1);
    EXPECT_EQ(settings.Copies(), 2);
    EXPECT_EQ(settings.FirstPage(), 1);
    EXPECT_EQ(settings.LastPage(), 9999);
    EXPECT_EQ(form.QReport().ReportTitle(), job.Title);
    EXPECT_EQ(LastDocument().Printer, "Beta");
    EXPECT_EQ(LastDocument().ModeAtCreateDC.Copies, 2);
    EXPECT_EQ(cursor.Shown, (std::vector<std::string>{"wait", "default"}));
}

TEST_F(ReportForm, APictureWithoutRowsPrintsNothingAndTheJobIsDone) {
    TPrintJob job = Job(2);
    EXPECT_TRUE(form.PrintBitmapJob(job, RasterBitmap{}));
    EXPECT_TRUE(system.Log().Documents.empty());
    EXPECT_TRUE(runs.empty());
    EXPECT_FALSE(ImageOnReport());
    EXPECT_EQ(cursor.Shown, (std::vector<std::string>{"wait", "default"}));
}

TEST_F(ReportForm, TheBandAndElementTakeThePrintableHeightAndTheColumnWidth) {
    const struct {
        std::int32_t mode;
        PixelBounds band;
        PixelBounds text;
    } cases[] = {
        {0, {38, 38, 718, 1028}, {0, 0, 718, 1028}},
        {1, {38, 38, 1047, 699}, {0, 0, 1047, 699}},
    };
    for (const auto& c : cases) {
        runs.clear();
        TPrintJob job = Job(c.mode);
        EXPECT_TRUE(form.PrintRichTextJob(job, LinesRtf(3)));
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_TRUE(runs[0].BandEnabled);
        EXPECT_EQ(runs[0].Band, c.band) << c.mode;
        EXPECT_EQ(runs[0].Text, c.text) << c.mode;
        EXPECT_FALSE(form.DetailBand().Enabled());
    }
}

TEST_F(ReportForm, ATextJobFlowsOverAsManyPagesAsItNeeds) {
    // 68 lines fill the first page (2720 tenths), 67 the second, the rest the third.
    TPrintJob job = Job(0);
    form.PrintRichTextJob(job, LinesRtf(68 + 67 + 30));
    const pp::fake::FakeDocument& document = LastDocument();
    ASSERT_EQ(document.Pages.size(), 3u);
    EXPECT_EQ(TextOn(document, 1).size(), 68u);
    EXPECT_EQ(TextOn(document, 2).size(), 67u);
    EXPECT_EQ(TextOn(document, 3).size(), 30u);
    EXPECT_EQ(TextOn(document, 3).back(), "L164");
    // Text starts at the left and top margins.
    EXPECT_EQ(CommandsOn<pc::TextCommand>(document, 2).front().Origin, (pc::Point{100, 130}));
}

TEST_F(ReportForm, ASecondTextJobReplacesTheFirstDocumentWhole) {
    TPrintJob job = Job(0);
    form.PrintRichTextJob(job, LinesRtf(5));
    form.PrintRichTextJob(job, LinesRtf(2, 100));
    ASSERT_EQ(system.Log().Documents.size(), 2u);
    EXPECT_EQ(TextOn(LastDocument(), 1), (std::vector<std::string>{"L100", "L101"}));
}

TEST_F(ReportForm, APictureJobShowsOnlyThePictureBeforeAndAfterTextJobs) {
    TPrintJob job = Job(0);
    // Before any text job the band is enabled but empty: a white area under the picture.
    form.PrintBitmapJob(job, Picture(16, 8));
    const auto& first = *system.Log().Documents.back()->Pages.at(0);
    ASSERT_FALSE(first.Commands().empty());
    EXPECT_TRUE(std::holds_alternative<pc::FillRectCommand>(first.Commands().front()));
    EXPECT_TRUE(std::holds_alternative<pc::BitmapCommand>(first.Commands().back()));

    form.PrintRichTextJob(job, LinesRtf(5));
    form.PrintBitmapJob(job, Picture(16, 8));
    const auto& after = *system.Log().Documents.back()->Pages.at(0);
    EXPECT_TRUE(TextOn(*system.Log().Documents.back(), 1).empty());
    EXPECT_TRUE(CommandsOn<pc::FillRectCommand>(*system.Log().Documents.back(), 1).empty());
    EXPECT_FALSE(after.Commands().empty());
}

TEST_F(ReportForm, AFailedRunLeavesNoPictureAnEnabledBandOrAWaitCursorBehind) {
    TPrintJob bad = Job(0, 7);  // no printer at position 7
    EXPECT_THROW(
        {
            try {
                form.PrintBitmapJob(bad, Picture(16, 8));
            } catch (const Error& error) {
                EXPECT_STREQ(error.what(), "Printer index out of range");
                throw;
            }
        },
        Error);
    EXPECT_FALSE(ImageOnReport());
    EXPECT_EQ(cursor.Shown, (std::vector<std::string>{"wait", "default"}));

    EXPECT_THROW(form.PrintRichTextJob(bad, LinesRtf(3)), Error);
    EXPECT_FALSE(form.DetailBand().Enabled());
    EXPECT_EQ(cursor.Shown.back(), "default");
    EXPECT_EQ(cursor.Shown.size(), 4u);

    // The next jobs print normally, the picture job without the failed job's picture or text.
    TPrintJob good = Job(0);
    system.Log().Documents.clear();
    form.PrintBitmapJob(good, Picture(16, 8));
    form.PrintRichTextJob(good, LinesRtf(2));
    ASSERT_EQ(system.Log().Documents.size(), 2u);
    const auto& pictureJob = *system.Log().Documents.at(0);
    EXPECT_EQ(CommandsOn<pc::BitmapCommand>(pictureJob, 1).size(), 1u);
    EXPECT_TRUE(TextOn(pictureJob, 1).empty());
    EXPECT_TRUE(CommandsOn<pc::BitmapCommand>(LastDocument(), 1).empty());
    EXPECT_EQ(TextOn(LastDocument(), 1), (std::vector<std::string>{"L0", "L1"}));
}

TEST(ReportFormWithoutPrinters, JobsPrintNothingAndStillCountAsDone) {
    const pp::fake::FakePrintingSystem none({}, "");
    platform::richtext::FixedTextMetrics metrics(0.5, 1.2);
    testing::RecordingWaitCursor cursor;
    TPrintQReport form(none, metrics, cursor);
    TPrintJob job = Job(0);
    EXPECT_TRUE(form.PrintBitmapJob(job, Picture(16, 8)));
    EXPECT_TRUE(form.PrintRichTextJob(job, LinesRtf(3)));
    EXPECT_TRUE(none.Log().Documents.empty());
    EXPECT_EQ(form.QReport().Children().size(), 1u);  // the detail band, no picture
    EXPECT_FALSE(form.DetailBand().Enabled());
    EXPECT_EQ(cursor.Shown, (std::vector<std::string>{"wait", "default", "wait", "default"}));
}

}  // namespace
}  // namespace ostrelin::print
