#include "app/cycle/JobDispatcher.h"

#include "decode/RasterJob.h"
#include "decode/TextJob.h"
#include "platform/Error.h"

namespace ostrelin::app {

void JobDispatcher::Attach(print::PrinterChoice& choice, print::RichTextOutput& documents,
                           print::BitmapOutput& pictures) {
    choice_ = &choice;
    documents_ = &documents;
    pictures_ = &pictures;
}

void JobDispatcher::HandleJob(decode::JobKind kind, decode::ByteStream& stream) {
    if (choice_ == nullptr) {
        throw Error("Tiskový formulář není připraven.");
    }
    switch (kind) {
        case decode::JobKind::Raster:
            decode::DecodeRasterJob(stream, *choice_, *pictures_);
            break;
        case decode::JobKind::Text:
            decode::DecodeTextJob(stream, *choice_, *documents_);
            break;
    }
}

}  // namespace ostrelin::app
