#include "platform/printing/cups/CupsJob.h"

#include <cups/cups.h>

#include <array>
#include <fstream>

#include "platform/Error.h"
#include "platform/printing/cups/CupsDestination.h"

namespace ostrelin::platform::printing::cups {

namespace {

// Owns an option array built with cupsAddOption.
class Options {
  public:
    explicit Options(const std::vector<std::pair<std::string, std::string>>& values) {
        for (const auto& [name, value] : values) {
            count_ = cupsAddOption(name.c_str(), value.c_str(), count_, &options_);
        }
    }
    ~Options() { cupsFreeOptions(count_, options_); }
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;

    int Count() const { return count_; }
    cups_option_t* Items() const { return options_; }

  private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

// The reason CUPS gave for the last request, in the user's words where it is one we know.
[[noreturn]] void Fail(const std::string& name) {
    if (SchedulerUnreachable()) {
        throw Error(SchedulerNotRunningText(name));
    }
    switch (cupsLastError()) {
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            throw Error(NotAcceptingJobsText(name));
        case IPP_STATUS_ERROR_NOT_FOUND:
            throw Error(QueueGoneText(name));
        default:
            throw Error("Tiskárna „" + name + "“ úlohu odmítla: " + cupsLastErrorString());
    }
}

}  // namespace

int SubmitPdfJob(const std::string& name, const std::string& title,
                 const std::vector<std::pair<std::string, std::string>>& options,
                 const std::filesystem::path& pdf, const std::function<void()>& whileSending) {
    const CupsDestination destination(name);
    if (destination.Info() == nullptr) {
        Fail(name);
    }
    if (!destination.AcceptingJobs()) {
        throw Error(NotAcceptingJobsText(name));
    }
    const Options jobOptions(options);
    int jobId = 0;
    if (cupsCreateDestJob(CUPS_HTTP_DEFAULT, destination.Dest(), destination.Info(), &jobId,
                          title.c_str(), jobOptions.Count(),
                          jobOptions.Items()) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        Fail(name);
    }
    if (cupsStartDestDocument(CUPS_HTTP_DEFAULT, destination.Dest(), destination.Info(), jobId,
                              title.c_str(), CUPS_FORMAT_PDF, 0, nullptr,
                              1) != HTTP_STATUS_CONTINUE) {
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, destination.Dest(), jobId);
        Fail(name);
    }
    std::ifstream file(pdf, std::ios::binary);
    std::array<char, 65536> buffer{};
    bool written = file.good();
    while (written && file) {
        file.read(buffer.data(), buffer.size());
        const auto count = static_cast<std::size_t>(file.gcount());
        if (count > 0 &&
            cupsWriteRequestData(CUPS_HTTP_DEFAULT, buffer.data(), count) != HTTP_STATUS_CONTINUE) {
            written = false;
        }
        if (whileSending) {
            whileSending();
        }
    }
    if (cupsFinishDestDocument(CUPS_HTTP_DEFAULT, destination.Dest(), destination.Info()) >
            IPP_STATUS_OK_EVENTS_COMPLETE ||
        !written) {
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, destination.Dest(), jobId);
        Fail(name);
    }
    return jobId;
}

}  // namespace ostrelin::platform::printing::cups
