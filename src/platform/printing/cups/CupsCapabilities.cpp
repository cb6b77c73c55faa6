#include "platform/printing/cups/CupsCapabilities.h"

#include <cups/cups.h>

#include "platform/printing/cups/CupsDestination.h"

namespace ostrelin::platform::printing::cups {

namespace {

std::vector<std::string> Strings(ipp_attribute_t* attribute) {
    std::vector<std::string> values;
    for (int i = 0; attribute != nullptr && i < ippGetCount(attribute); ++i) {
        if (const char* value = ippGetString(attribute, i, nullptr)) {
            values.emplace_back(value);
        }
    }
    return values;
}

std::string FirstString(ipp_attribute_t* attribute) {
    const auto values = Strings(attribute);
    return values.empty() ? std::string() : values.front();
}

}  // namespace

CupsCapabilities ReadCupsCapabilities(const std::string& name) {
    const CupsDestination destination(name);
    cups_dest_t* dest = destination.Dest();
    cups_dinfo_t* info = destination.Info();
    CupsCapabilities caps;
    if (const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options)) {
        caps.DeviceUri = uri;
    }
    if (const char* model =
            cupsGetOption("printer-make-and-model", dest->num_options, dest->options)) {
        caps.MakeAndModel = model;
    }
    if (info == nullptr) {
        return caps;
    }
    auto supported = [&](const char* option) {
        return cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, option);
    };
    auto fallback = [&](const char* option) {
        return cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, option);
    };

    caps.MediaSupported = Strings(supported(CUPS_MEDIA));
    const int mediaCount = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0);
    for (int i = 0; i < mediaCount; ++i) {
        cups_size_t size{};
        if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size) != 0) {
            caps.MediaSizes.push_back({size.media, size.width, size.length});
        }
    }
    caps.MediaDefault = FirstString(fallback(CUPS_MEDIA));

    if (ipp_attribute_t* copies = supported(CUPS_COPIES);
        copies != nullptr && ippGetValueTag(copies) == IPP_TAG_RANGE) {
        ippGetRange(copies, 0, &caps.CopiesUpper);
    }
    caps.SidesSupported = Strings(supported(CUPS_SIDES));
    caps.SidesDefault = FirstString(fallback(CUPS_SIDES));
    if (ipp_attribute_t* orientations = supported(CUPS_ORIENTATION)) {
        for (int i = 0; i < ippGetCount(orientations); ++i) {
            caps.OrientationsSupported.push_back(ippGetInteger(orientations, i));
        }
    }
    caps.MediaSourcesSupported = Strings(supported(CUPS_MEDIA_SOURCE));
    caps.MediaSourceDefault = FirstString(fallback(CUPS_MEDIA_SOURCE));
    if (ipp_attribute_t* resolution = fallback("printer-resolution");
        resolution != nullptr && ippGetValueTag(resolution) == IPP_TAG_RESOLUTION) {
        ipp_res_t units = IPP_RES_PER_INCH;
        caps.ResolutionX = ippGetResolution(resolution, 0, &caps.ResolutionY, &units);
        if (units == IPP_RES_PER_CM) {
            caps.ResolutionX = static_cast<int>(caps.ResolutionX * 2.54 + 0.5);
            caps.ResolutionY = static_cast<int>(caps.ResolutionY * 2.54 + 0.5);
        }
    }
    return caps;
}

}  // namespace ostrelin::platform::printing::cups
