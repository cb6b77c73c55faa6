#pragma once

#include <string>
#include <vector>

namespace ostrelin::platform::printing::cups {

// What libcups reports about its destinations at one moment.
struct CupsDestinationList {
    std::vector<std::string> Names;  // "queue" or "queue/instance", in libcups' order
    std::string DefaultName;         // empty when CUPS has no default destination
    bool SchedulerReached = true;    // false: the list is empty because nobody answered
};

// Asks the CUPS scheduler (CUPS_SERVER, or the user's and system's client configuration) for
// its destinations; an unreachable scheduler gives an empty list.
CupsDestinationList ReadCupsDestinations();

}  // namespace ostrelin::platform::printing::cups
