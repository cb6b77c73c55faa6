#include "platform/printing/BinCodes.h"

#include <array>

namespace ostrelin::platform::printing {

namespace {

struct BinSource {
    std::int16_t Code;
    std::string_view Source;
};

// The one place where paper source codes meet IPP media-source keywords. A code may stand for
// several keywords, because queues name the same tray differently; codes without a keyword here
// (tractor, small and large format, cassette) have no IPP counterpart.
constexpr std::array<BinSource, 13> kSources{{
    {1, "top"},
    {1, "tray-1"},
    {1, "main"},
    {2, "bottom"},
    {2, "tray-2"},
    {3, "middle"},
    {3, "tray-3"},
    {4, "manual"},
    {4, "by-pass-tray"},
    {5, "envelope"},
    {6, "manual-envelope"},
    {7, "auto"},
    {11, "large-capacity"},
}};

}  // namespace

std::optional<std::int16_t> BinCodeOfMediaSource(std::string_view source) {
    for (const BinSource& row : kSources) {
        if (row.Source == source) {
            return row.Code;
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> MediaSourcesOfBinCode(int code) {
    std::vector<std::string_view> sources;
    for (const BinSource& row : kSources) {
        if (row.Code == code) {
            sources.push_back(row.Source);
        }
    }
    return sources;
}

}  // namespace ostrelin::platform::printing
