#pragma once

#include "decode/ByteStream.h"
#include "decode/ClassifyJob.h"

namespace ostrelin::app {

// Where a loaded and classified job goes: it is decoded and printed before the call returns.
// A failure is raised as an error; the spool file is kept then.
class JobHandler {
  public:
    virtual ~JobHandler() = default;
    virtual void HandleJob(decode::JobKind kind, decode::ByteStream& stream) = 0;
};

}  // namespace ostrelin::app
