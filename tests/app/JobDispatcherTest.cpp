#include <gtest/gtest.h>

#include "app/cycle/JobDispatcher.h"
#include "decode/ClassifyJob.h"
#include "platform/Error.h"

namespace ostrelin::app {
namespace {

class RecordingOutputs final : public print::RichTextOutput, public print::BitmapOutput {
  public:
    bool PrintRichTextJob(print::TPrintJob& job, std::string_view rtf) override {
        Titles.push_back(job.Title);
        Documents.emplace_back(rtf);
        return true;
    }
    bool PrintBitmapJob(print::TPrintJob& job, const print::RasterBitmap& bitmap) override {
        Titles.push_back(job.Title);
        PictureSizes.emplace_back(bitmap.Width(), bitmap.Height());
        return true;
    }
    std::vector<std::string> Titles;
    std::vector<std::string> Documents;
    std::vector<std::pair<int, int>> PictureSizes;
};

decode::ByteStream Job(const std::string& records) {
    decode::ByteStream stream(std::string("popis\r\n\0\0", 9) + records);
    decode::ClassifyJob(stream);
    return stream;
}

TEST(JobDispatcherTest, EachKindGoesToItsDecoderAndOutput) {
    RecordingOutputs outputs;
    print::HeldPrinterChoice choice(1);
    JobDispatcher dispatcher;
    dispatcher.Attach(choice, outputs, outputs);

    decode::ByteStream text =
        Job(std::string("\x00\x04"
                        "Ahoj",
                        6));
    dispatcher.HandleJob(decode::JobKind::Text, text);
    decode::ByteStream raster =
        Job(std::string("\x03\x07\x1b*t150R\x03\x05\x1b*b1W\x02\x01\x00\x80", 20));
    dispatcher.HandleJob(decode::JobKind::Raster, raster);

    EXPECT_EQ(outputs.Titles,
              (std::vector<std::string>{"Tarvok Ostrelin - tisk dokumnentu",
                                        "Tarvok Ostrelin - tisk nářezového plánu"}));
    ASSERT_EQ(outputs.Documents.size(), 1u);
    EXPECT_NE(outputs.Documents[0].find("Ahoj"), std::string::npos);
    EXPECT_EQ(outputs.PictureSizes, (std::vector<std::pair<int, int>>{{8, 1}}));
}

TEST(JobDispatcherTest, NothingAttachedIsAnErrorNotASilentSuccess) {
    JobDispatcher dispatcher;
    decode::ByteStream text = Job("");
    EXPECT_THROW(dispatcher.HandleJob(decode::JobKind::Text, text), Error);
}

}  // namespace
}  // namespace ostrelin::app
