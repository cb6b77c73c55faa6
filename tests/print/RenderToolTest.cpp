// ostrelin-render run for real: spool files printed through the report form onto the built-in
// PDF printer, the PDFs checked with poppler-utils.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/TempDir.h"

namespace ostrelin::print {
namespace {

namespace fs = std::filesystem;

struct ProcessRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

ProcessRun RunProgram(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessRun run;
    if (!process.waitForFinished(120000)) {
        run.Err = "did not finish: " + program.toStdString();
        return run;
    }
    run.Exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = process.readAllStandardOutput().toStdString();
    run.Err = process.readAllStandardError().toStdString();
    return run;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A text record: type 0, a one-byte length, the data.
std::string TextRecord(const std::string& cp852) {
    return std::string(1, '\0') + static_cast<char>(cp852.size()) + cp852;
}

std::string CommandRecord(int code) {
    return std::string("\x01\x01", 2) + static_cast<char>(code);
}

// "Řádek NNN: Příliš žluťoučký kůň úpěl ďábelské ódy" in code page 852 and in UTF-8.
const std::string kPangram852 =
    ": P\xfd\xa1li\xe7 \xa7lu\x9cou\x9fk\xec k\x85\xe5 \xa3p\xd8l \xd4\xa0"
    "belsk\x82 \xa2"
    "dy";
const std::string kPangramUtf8 = ": Příliš žluťoučký kůň úpěl ďábelské ódy";

std::string Numbered(int line) {
    const std::string number = std::to_string(line);
    return std::string(3 - number.size(), '0') + number;
}

// A text job "Faktura č. 12": a bold heading and `lines` numbered lines.
std::string TextJob(int lines) {
    std::string records = CommandRecord(7) + TextRecord("Nadpis dokumentu\r\n") + CommandRecord(8);
    for (int i = 0; i < lines; ++i) {
        records += TextRecord(
            "\xfc\xa0"
            "dek " +
            Numbered(i) + kPangram852 + "\r\n");
    }
    return "Faktura \x9f. 12" + std::string("\r\n\0\0", 4) + records;
}

// A raster job "Prázdný plán" at 150 dpi with the given rows (each at most 65535 bytes).
std::string RasterJob(const std::vector<std::string>& rows) {
    std::string records = std::string("\x03\x07\x1b*t150R", 9);
    for (const std::string& row : rows) {
        const std::string escape = "\x1b*b" + std::to_string(row.size()) + "W";
        records += std::string(1, '\x03') + static_cast<char>(escape.size()) + escape;
        records += std::string(1, '\x02') + static_cast<char>(row.size() & 0xFF) +
                   static_cast<char>(row.size() >> 8) + row;
    }
    return "Pr\xa0zdn\xec pl\xa0n" + std::string("\r\n\0\0", 4) + records;
}

struct ListedImage {
    int Page = 0;
    int Width = 0;
    int Height = 0;
    std::string Color;
    int BitsPerComponent = 0;
    std::string Interpolated;
};

// The images `pdfimages -list` reports.
std::vector<ListedImage> ImagesOf(const fs::path& pdf) {
    const ProcessRun run = RunProgram("pdfimages", {"-list", QString::fromStdString(pdf.string())});
    std::vector<ListedImage> images;
    std::istringstream lines(run.Out);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        ListedImage image;
        std::string number, type, components, encoding;
        if (fields >> image.Page >> number >> type >> image.Width >> image.Height >> image.Color >>
                components >> image.BitsPerComponent >> encoding >> image.Interpolated &&
            type == "image") {
            images.push_back(image);
        }
    }
    return images;
}

std::string PdfInfo(const fs::path& pdf, const std::string& field) {
    const ProcessRun run = RunProgram("pdfinfo", {QString::fromStdString(pdf.string())});
    const std::regex pattern("^" + field + ":\\s*(.*)$", std::regex::multiline);
    std::smatch match;
    return std::regex_search(run.Out, match, pattern) ? match[1].str() : "";
}

class RenderTool : public ::testing::Test {
  protected:
    RenderTool() {
        fs::create_directory(folder.Path() / "pdf");
        // No CUPS scheduler is reachable, so "Tisk do PDF" is the only and default printer.
        environment.insert("CUPS_SERVER", QString::fromStdString(folder / "no-cups.sock"));
        environment.insert("OSTRELIN_PDF_DIR", QString::fromStdString(folder / "pdf"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    }

    ProcessRun Render(const QStringList& arguments) const {
        return RunProgram(OSTRELIN_RENDER, arguments, environment);
    }

    QString Path(const std::string& name) const { return QString::fromStdString(folder / name); }

    testing::TempDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(RenderTool, ATextJobPrintsOverSeveralA4PagesWithItsCzechLettersAndAsRtf) {
    WriteFile(folder / "TEXT.QSF", TextJob(160));
    const ProcessRun run =
        Render({Path("TEXT.QSF"), "--info", "-o", Path("text.pdf"), "--rtf", Path("text.rtf")});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "kind: text\ndescription: Faktura č. 12\n");

    const fs::path pdf = folder.Path() / "text.pdf";
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "3");
    EXPECT_NE(PdfInfo(pdf, "Page size").find("(A4)"), std::string::npos);
    // Every line arrives once, in order, with its letters, across the page breaks.
    const ProcessRun text = RunProgram("pdftotext", {QString::fromStdString(pdf.string()), "-"});
    std::istringstream lines(text.Out);
    std::vector<std::string> printed;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line != "\f") {
            printed.push_back(line.front() == '\f' ? line.substr(1) : line);
        }
    }
    ASSERT_EQ(printed.size(), 161u) << text.Out;
    EXPECT_EQ(printed[0], "Nadpis dokumentu");
    for (int i = 0; i < 160; ++i) {
        EXPECT_EQ(printed[static_cast<std::size_t>(i) + 1], "Řádek " + Numbered(i) + kPangramUtf8);
    }
    // The bold heading and the regular lines after it each come in their own face.
    const ProcessRun fonts =
        RunProgram("pdffonts", {"-l", "1", QString::fromStdString(pdf.string())});
    EXPECT_NE(fonts.Out.find("\nLiberationMono-Bold "), std::string::npos) << fonts.Out;
    EXPECT_NE(fonts.Out.find("\nLiberationMono "), std::string::npos) << fonts.Out;
    const std::string rtf = ReadFile(folder.Path() / "text.rtf");
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("Nadpis dokumentu"), std::string::npos);
    EXPECT_TRUE(ImagesOf(pdf).empty());
}

TEST_F(RenderTool, ARasterJobPrintsOnOnePageAsOneBitImageAtItsOwnSize) {
    const fs::path job =
        fs::path(OSTRELIN_SOURCE_DIR) / "tests/print/fixtures/cutting-plan-ljet4.qsf";
    const ProcessRun run = Render({QString::fromStdString(job.string()), "--info", "-o",
                                   Path("plan.pdf"), "--pbm", Path("plan.pbm")});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "kind: raster\ndescription: Nářezový plán\n");

    const std::string pbm = ReadFile(folder.Path() / "plan.pbm");
    std::istringstream header(pbm);
    std::string magic;
    int width = 0;
    int height = 0;
    header >> magic >> width >> height;
    ASSERT_EQ(magic, "P4");
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);

    const fs::path pdf = folder.Path() / "plan.pdf";
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "1");
    EXPECT_NE(PdfInfo(pdf, "Page size").find("(A4)"), std::string::npos);
    // The picture is smaller than its place on the page: it goes in at its own size, one bit per
    // pixel, for the page to scale without smoothing.
    const std::vector<ListedImage> images = ImagesOf(pdf);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Width, width);
    EXPECT_EQ(images[0].Height, height);
    EXPECT_EQ(images[0].Color, "gray");
    EXPECT_EQ(images[0].BitsPerComponent, 1);
    EXPECT_EQ(images[0].Interpolated, "no");

    const ProcessRun png = RunProgram(
        "pdftoppm", {"-png", "-r", "50", QString::fromStdString(pdf.string()), Path("plan")});
    EXPECT_EQ(png.Exit, 0) << png.Err;
    EXPECT_GT(fs::file_size(folder.Path() / "plan-1.png"), 0u);
}

TEST_F(RenderTool, APictureWithMorePixelsThanItsPlaceIsReducedAndStaysOneBit) {
    // 8000 × 400 pixels: far wider than the 718 screen pixels (5385 device pixels at 720 dpi)
    // of the printable width.
    std::string row(1000, '\0');
    row[0] = '\x80';
    WriteFile(folder / "WIDE.QSF", RasterJob(std::vector<std::string>(400, row)));
    const ProcessRun run = Render({Path("WIDE.QSF"), "-o", Path("wide.pdf")});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    const std::vector<ListedImage> images = ImagesOf(folder.Path() / "wide.pdf");
    ASSERT_FALSE(images.empty());
    int rows = 0;
    for (const ListedImage& image : images) {
        EXPECT_GT(image.Width, 5000);
        EXPECT_LT(image.Width, 5500);
        EXPECT_EQ(image.BitsPerComponent, 1);
        EXPECT_EQ(image.Interpolated, "no");
        rows += image.Height;
    }
    EXPECT_LT(rows, 400);
}

TEST_F(RenderTool, ARasterJobWithoutRowsGivesAnEmptyPictureAndNoPdf) {
    WriteFile(folder / "EMPTY.QSF", RasterJob({}));
    const ProcessRun run =
        Render({Path("EMPTY.QSF"), "-o", Path("empty.pdf"), "--pbm", Path("empty.pbm")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(ReadFile(folder.Path() / "empty.pbm"), "P4\n0 0\n");
    EXPECT_FALSE(fs::exists(folder.Path() / "empty.pdf"));
    EXPECT_NE(run.Err.find("nevytiskla žádnou stránku"), std::string::npos) << run.Err;
}

TEST_F(RenderTool, ANamedPrinterGetsTheJobInsteadOfAFileOfOurChoice) {
    WriteFile(folder / "TEXT.QSF", TextJob(3));
    const ProcessRun run = Render({Path("TEXT.QSF"), "--printer", "Tisk do PDF"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    std::vector<fs::path> printed;
    for (const auto& entry : fs::directory_iterator(folder.Path() / "pdf")) {
        printed.push_back(entry.path());
    }
    ASSERT_EQ(printed.size(), 1u);
    // The printer names the file after the document, whose name is the title cut to 31 letters.
    EXPECT_EQ(printed[0].filename().string().rfind("Tarvok Ostrelin - tisk dokumnen ", 0), 0u)
        << printed[0];
    EXPECT_FALSE(fs::exists(folder.Path() / "TEXT.pdf"));
}

// Runs under with-private-cups.sh, whose queues write every job as a PDF into $OSTRELIN_CUPS_OUT.
TEST_F(RenderTool, WithCupsANamedQueueGetsTheJob) {
    const QString output = environment.value("OSTRELIN_CUPS_OUT");
    if (output.isEmpty()) {
        GTEST_SKIP() << "needs the private CUPS scheduler of with-private-cups.sh";
    }
    environment.insert("CUPS_SERVER",
                       QProcessEnvironment::systemEnvironment().value("CUPS_SERVER"));
    WriteFile(folder / "TEXT.QSF", TextJob(160));
    const ProcessRun run = Render({Path("TEXT.QSF"), "--printer", "ostrelin_alt"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(fs::is_empty(folder.Path() / "pdf"));
    // The queue writes its file when the scheduler has run the job.
    const fs::path pdf = fs::path(output.toStdString()) / "ostrelin_alt.pdf";
    for (int attempt = 0; attempt < 600 && PdfInfo(pdf, "Pages").empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "3");
    const ProcessRun text = RunProgram("pdftotext", {QString::fromStdString(pdf.string()), "-"});
    EXPECT_NE(text.Out.find("Řádek 159" + kPangramUtf8), std::string::npos);
}

TEST_F(RenderTool, WithoutOutputOptionsTheJobGoesIntoAPdfNamedAfterIt) {
    WriteFile(folder / "JOB1.QSF", TextJob(3));
    const ProcessRun run = Render({Path("JOB1.QSF")});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(PdfInfo(folder.Path() / "JOB1.pdf", "Pages"), "1");
}

TEST_F(RenderTool, WrongInputAndWrongCommandLinesFailWithAMessage) {
    WriteFile(folder / "TEXT.QSF", TextJob(3));
    const fs::path raster =
        fs::path(OSTRELIN_SOURCE_DIR) / "tests/print/fixtures/cutting-plan-ljet4.qsf";
    const struct {
        QStringList arguments;
        int exit;
        std::string message;
    } cases[] = {
        {{Path("MISSING.QSF"), "-o", Path("x.pdf")}, 1, "MISSING.QSF"},
        {{Path(".")}, 1, "není to obyčejný soubor"},
        {{Path("TEXT.QSF"), "--printer", "Neznámá tiskárna"}, 1, "není nainstalována"},
        {{Path("TEXT.QSF"), "--printer", "Neznámá tiskárna"}, 1, "Tisk do PDF"},
        {{Path("TEXT.QSF"), "--pbm", Path("x.pbm")}, 1, "rastrovou úlohu"},
        {{QString::fromStdString(raster.string()), "--rtf", Path("x.rtf")}, 1, "textovou úlohu"},
        {{Path("TEXT.QSF"), "-o", Path("no/such/folder/x.pdf")}, 1, "x.pdf"},
        {{Path("TEXT.QSF"), "-o", Path("no/such/folder/x.pdf")}, 1, "složka neexistuje"},
        {{Path("TEXT.QSF"), "--colour"}, 2, "neznámý přepínač --colour"},
        {{Path("TEXT.QSF"), "-o"}, 2, "chybí hodnota přepínače -o"},
        {{}, 2, "chybí soubor úlohy"},
        {{Path("TEXT.QSF"), Path("TEXT.QSF")}, 2, "jen jeden soubor úlohy"},
        {{Path("TEXT.QSF"), "-o", Path("x.pdf"), "--printer", "Tisk do PDF"}, 2, "vylučují"},
    };
    for (const auto& c : cases) {
        const ProcessRun run = Render(c.arguments);
        EXPECT_EQ(run.Exit, c.exit) << c.arguments.join(' ').toStdString() << "\n" << run.Err;
        EXPECT_NE(run.Err.find(c.message), std::string::npos)
            << c.arguments.join(' ').toStdString() << "\n"
            << run.Err;
    }
    EXPECT_FALSE(fs::exists(folder.Path() / "x.pdf"));
}

TEST_F(RenderTool, HelpSaysWhatEveryOptionDoes) {
    const ProcessRun run = Render({"--help"});
    EXPECT_EQ(run.Exit, 0);
    for (const char* text : {"ÚLOHA.QSF", "-o VÝSTUP.pdf", "--printer TISKÁRNA", "--rtf VÝSTUP.rtf",
                             "--pbm VÝSTUP.pbm", "--info", "Tisk do PDF", "kind: text",
                             "kind: raster", "description: ", "Návratový kód"}) {
        EXPECT_NE(run.Out.find(text), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace ostrelin::print
