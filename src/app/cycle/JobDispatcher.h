#pragma once

#include "app/cycle/JobHandler.h"
#include "print/BitmapOutput.h"
#include "print/PrinterChoice.h"
#include "print/RichTextOutput.h"

namespace ostrelin::app {

// Hands a classified job to the decoder of its kind, which composes it and prints it through the
// report form on the printer chosen in the main window.
class JobDispatcher final : public JobHandler {
  public:
    // The main window and the report form come after the dispatcher at start-up; they are
    // attached once they exist and must outlive every job.
    void Attach(print::PrinterChoice& choice, print::RichTextOutput& documents,
                print::BitmapOutput& pictures);

    // Decodes and prints one job. Raises an error when nothing is attached to print on.
    void HandleJob(decode::JobKind kind, decode::ByteStream& stream) override;

  private:
    print::PrinterChoice* choice_ = nullptr;
    print::RichTextOutput* documents_ = nullptr;
    print::BitmapOutput* pictures_ = nullptr;
};

}  // namespace ostrelin::app
