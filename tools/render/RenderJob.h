#pragma once

#include <ostream>

#include "platform/printing/PrintingSystem.h"
#include "platform/richtext/TextMetrics.h"
#include "tools/render/RenderOptions.h"

namespace ostrelin::tools::render {

// Does what `options` ask for one spool file: reads and classifies it, writes the --info lines to
// `out`, decodes the job and prints it through the report form on `printing` (text laid out with
// `metrics`) and writes the RTF or PBM asked for. Raises ostrelin::Error with a message for the
// user when the job cannot be read, the printer is unknown, an output does not suit the job's
// kind, or printing fails. Notices that are no failure go to `notes`.
void RenderJob(const RenderOptions& options, const platform::printing::PrintingSystem& printing,
               platform::richtext::TextMetrics& metrics, std::ostream& out, std::ostream& notes);

}  // namespace ostrelin::tools::render
