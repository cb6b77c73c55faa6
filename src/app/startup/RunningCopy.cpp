#include "app/startup/RunningCopy.h"

namespace ostrelin::app {

int MakeRunningCopyQuit(const RunningCopyChannel& channel) {
    int posted = 0;
    while (posted < kQuitAttempts && channel.Find()) {
        channel.PostQuit();
        ++posted;
        channel.Sleep(kQuitWait);
    }
    return posted;
}

}  // namespace ostrelin::app
