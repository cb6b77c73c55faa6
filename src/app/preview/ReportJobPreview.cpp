#include "app/preview/ReportJobPreview.h"

#include <utility>

#include "decode/ByteStream.h"
#include "decode/ClassifyJob.h"

namespace ostrelin::app {

ReportJobPreview::ReportJobPreview(platform::richtext::TextMetrics& metrics,
                                   print::WaitCursor& cursor, const report::DisplayMetrics& display)
    : printing_(display.PixelsPerInch), form_(printing_, metrics, cursor, display) {
    dispatcher_.Attach(choice_, form_, form_);
}

platform::printing::preview::PreviewPages ReportJobPreview::Render(std::string bytes) {
    decode::ByteStream stream(std::move(bytes));
    const decode::JobKind kind = decode::ClassifyJob(stream);
    dispatcher_.HandleJob(kind, stream);
    return printing_.TakePages();
}

}  // namespace ostrelin::app
