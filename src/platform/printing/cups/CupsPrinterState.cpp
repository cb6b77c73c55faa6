#include "platform/printing/cups/CupsPrinterState.h"

#include <cups/cups.h>

#include <array>
#include <memory>
#include <string_view>

namespace ostrelin::platform::printing::cups {

namespace {

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
struct DestFreer {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

std::string WithoutSeverity(std::string_view reason) {
    for (const std::string_view suffix : {"-error", "-warning", "-report"}) {
        if (reason.ends_with(suffix)) {
            reason.remove_suffix(suffix.size());
            break;
        }
    }
    return std::string(reason);
}

PrinterState::Kind KindOf(int printerState) {
    switch (printerState) {
        case IPP_PSTATE_PROCESSING:
            return PrinterState::Kind::Processing;
        case IPP_PSTATE_STOPPED:
            return PrinterState::Kind::Stopped;
        default:
            return PrinterState::Kind::Idle;
    }
}

// The state of a queue the scheduler was asked about; Unreachable or Gone when it did not tell.
PrinterState AskQueue(http_t* http, const std::string& name) {
    PrinterState state{.Printer = name};
    const std::string queue = name.substr(0, name.find('/'));
    std::array<char, HTTP_MAX_URI> uri{};
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri.data(), static_cast<int>(uri.size()), "ipp", nullptr,
                     "localhost", 0, "/printers/%s", queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.data());
    constexpr std::array kWanted{"printer-state", "printer-state-reasons",
                                 "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(kWanted.size()), nullptr, kWanted.data());
    const std::unique_ptr<ipp_t, IppDeleter> response(cupsDoRequest(http, request, "/"));
    if (response == nullptr || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        state.State = cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND
                          ? PrinterState::Kind::Gone
                          : PrinterState::Kind::Unreachable;
        return state;
    }
    if (ipp_attribute_t* kind = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM)) {
        state.State = KindOf(ippGetInteger(kind, 0));
    }
    if (ipp_attribute_t* accepting =
            ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN)) {
        state.AcceptingJobs = ippGetBoolean(accepting, 0) != 0;
    }
    if (ipp_attribute_t* reasons =
            ippFindAttribute(response.get(), "printer-state-reasons", IPP_TAG_KEYWORD)) {
        for (int index = 0; index < ippGetCount(reasons); ++index) {
            const std::string reason = WithoutSeverity(ippGetString(reasons, index, nullptr));
            if (reason != "none") {
                state.Reasons.push_back(reason);
            }
        }
    }
    return state;
}

}  // namespace

PrinterState AskPrinterState(const std::string& name, std::chrono::milliseconds timeout) {
    const std::unique_ptr<http_t, HttpCloser> http(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                     static_cast<int>(timeout.count()), nullptr));
    if (http == nullptr) {
        return {.Printer = name, .State = PrinterState::Kind::Unreachable};
    }
    // Without a callback, a request that waits longer than this fails.
    httpSetTimeout(http.get(), std::chrono::duration<double>(timeout).count(), nullptr, nullptr);
    if (!name.empty()) {
        return AskQueue(http.get(), name);
    }
    const std::unique_ptr<cups_dest_t, DestFreer> defaultDest(
        cupsGetNamedDest(http.get(), nullptr, nullptr));
    if (defaultDest == nullptr) {
        const bool answered = cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE ||
                              cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND;
        return {.Printer = {},
                .State = answered ? PrinterState::Kind::Idle : PrinterState::Kind::Unreachable};
    }
    std::string defaultName = defaultDest->name;
    if (defaultDest->instance != nullptr) {
        defaultName += std::string("/") + defaultDest->instance;
    }
    return AskQueue(http.get(), defaultName);
}

}  // namespace ostrelin::platform::printing::cups
