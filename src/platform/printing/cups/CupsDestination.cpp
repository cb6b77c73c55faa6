#include "platform/printing/cups/CupsDestination.h"

namespace ostrelin::platform::printing::cups {

CupsDestination::CupsDestination(const std::string& name) {
    count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_);
    const auto slash = name.find('/');
    const std::string queue = name.substr(0, slash);
    const std::string instance =
        slash == std::string::npos ? std::string() : name.substr(slash + 1);
    dest_ =
        cupsGetDest(queue.c_str(), instance.empty() ? nullptr : instance.c_str(), count_, dests_);
    if (dest_ != nullptr) {
        info_ = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest_);
    }
}

CupsDestination::~CupsDestination() {
    if (info_ != nullptr) {
        cupsFreeDestInfo(info_);
    }
    cupsFreeDests(count_, dests_);
}

}  // namespace ostrelin::platform::printing::cups
