#pragma once

#include "app/cycle/JobDispatcher.h"
#include "app/preview/JobPreview.h"
#include "platform/printing/preview/PreviewPrinting.h"
#include "platform/richtext/TextMetrics.h"
#include "print/PrinterChoice.h"
#include "print/TPrintQReport.h"
#include "print/WaitCursor.h"
#include "report/DisplayMetrics.h"

namespace ostrelin::app {

// Pages of a job as printing makes them: the same dispatcher, decoders and report form, printing
// on the preview printer at the screen's resolution. The form is a report form of its own, so
// that a preview neither waits for a job being printed nor changes what the printing form keeps
// from one job to the next; every preview prints from the bytes it is given, so the queue and
// the spool file are left as they are.
class ReportJobPreview final : public JobPreview {
  public:
    // Text is laid out with `metrics`, the wait cursor shows on `cursor` while a job renders;
    // both must outlive the object. `display` gives the screen's resolution.
    ReportJobPreview(platform::richtext::TextMetrics& metrics, print::WaitCursor& cursor,
                     const report::DisplayMetrics& display = {});
    ReportJobPreview(const ReportJobPreview&) = delete;
    ReportJobPreview& operator=(const ReportJobPreview&) = delete;

    platform::printing::preview::PreviewPages Render(std::string bytes) override;

  private:
    platform::printing::preview::PreviewPrinting printing_;
    print::TPrintQReport form_;
    // Position 0: the preview system's default printer, its only one.
    print::HeldPrinterChoice choice_{0};
    JobDispatcher dispatcher_;
};

}  // namespace ostrelin::app
