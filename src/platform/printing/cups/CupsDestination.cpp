#include "platform/printing/cups/CupsDestination.h"

#include <string_view>

#include "platform/Error.h"

namespace ostrelin::platform::printing::cups {

std::string SchedulerNotRunningText(const std::string& name) {
    return "Tiskový systém CUPS neodpovídá, na tiskárně „" + name + "“ teď nelze tisknout.";
}

std::string QueueGoneText(const std::string& name) {
    return "Tiskárna „" + name + "“ v systému CUPS už není.";
}

std::string NotAcceptingJobsText(const std::string& name) {
    return "Tiskárna „" + name + "“ nyní nepřijímá úlohy.";
}

bool SchedulerUnreachable() {
    return cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
}

CupsDestination::CupsDestination(const std::string& name) {
    count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_);
    if (count_ == 0 && SchedulerUnreachable()) {
        throw Error(SchedulerNotRunningText(name));
    }
    const auto slash = name.find('/');
    const std::string queue = name.substr(0, slash);
    const std::string instance =
        slash == std::string::npos ? std::string() : name.substr(slash + 1);
    dest_ =
        cupsGetDest(queue.c_str(), instance.empty() ? nullptr : instance.c_str(), count_, dests_);
    if (dest_ == nullptr) {
        cupsFreeDests(count_, dests_);
        throw Error(QueueGoneText(name));
    }
    info_ = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest_);
}

CupsDestination::~CupsDestination() {
    if (info_ != nullptr) {
        cupsFreeDestInfo(info_);
    }
    cupsFreeDests(count_, dests_);
}

bool CupsDestination::AcceptingJobs() const {
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest_->num_options, dest_->options);
    return accepting == nullptr || std::string_view(accepting) != "false";
}

}  // namespace ostrelin::platform::printing::cups
