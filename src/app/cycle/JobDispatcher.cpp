#include "app/cycle/JobDispatcher.h"

namespace ostrelin::app {

void JobDispatcher::HandleJob(decode::JobKind /*kind*/, decode::ByteStream& /*stream*/) {}

}  // namespace ostrelin::app
