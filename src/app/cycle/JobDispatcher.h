#pragma once

#include "app/cycle/JobHandler.h"

namespace ostrelin::app {

// Hands a classified job to the decoder of its kind, which composes and prints it.
// Text and raster printing are added here as they come; until then a job is accepted once it
// has been loaded and classified.
class JobDispatcher final : public JobHandler {
  public:
    void HandleJob(decode::JobKind kind, decode::ByteStream& stream) override;
};

}  // namespace ostrelin::app
