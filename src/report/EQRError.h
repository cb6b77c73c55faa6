#pragma once

#include "platform/Error.h"

namespace ostrelin::report {

// An error raised by the report engine itself (as opposed to one passed on from the platform).
class EQRError : public Error {
  public:
    using Error::Error;
};

}  // namespace ostrelin::report
