#include "platform/printing/cups/CupsMapping.h"

#include <algorithm>
#include <optional>

#include "platform/printing/BinCodes.h"
#include "platform/printing/PaperCodes.h"

namespace ostrelin::platform::printing::cups {

namespace {

constexpr std::int16_t kA4 = 9;
constexpr int kFallbackDpi = 600;

bool Contains(const std::vector<std::string>& values, const std::string& value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

const CupsMedia* MediaNamed(const CupsCapabilities& caps, const std::string& name) {
    for (const CupsMedia& media : caps.MediaSizes) {
        if (media.Name == name) {
            return &media;
        }
    }
    return nullptr;
}

// The paper code of a media name: by the standard name, or by the size the destination gives it.
std::optional<std::int16_t> CodeOfMedia(const CupsCapabilities& caps, const std::string& name) {
    if (const auto code = PaperCodeOfMediaName(name)) {
        return code;
    }
    if (const CupsMedia* media = MediaNamed(caps, name)) {
        return PaperCodeOfSize(media->Width, media->Length);
    }
    return std::nullopt;
}

bool TwoSided(const std::string& sides) {
    return sides == "two-sided-long-edge" || sides == "two-sided-short-edge";
}

std::int16_t DuplexOfSides(const std::string& sides) {
    if (sides == "two-sided-long-edge") {
        return kDuplexVertical;
    }
    if (sides == "two-sided-short-edge") {
        return kDuplexHorizontal;
    }
    return kDuplexSimplex;
}

std::string SidesOfDuplex(std::int16_t duplex) {
    switch (duplex) {
        case kDuplexVertical:
            return "two-sided-long-edge";
        case kDuplexHorizontal:
            return "two-sided-short-edge";
        default:
            return "one-sided";
    }
}

}  // namespace

std::vector<std::int16_t> PaperCodesOf(const CupsCapabilities& caps) {
    std::vector<std::int16_t> codes;
    for (const std::string& name : caps.MediaSupported) {
        const auto code = CodeOfMedia(caps, name);
        if (code && std::find(codes.begin(), codes.end(), *code) == codes.end()) {
            codes.push_back(*code);
        }
    }
    return codes;
}

DeviceMode DefaultDeviceModeOf(const CupsCapabilities& caps) {
    DeviceMode mode;
    const auto papers = PaperCodesOf(caps);
    if (!papers.empty()) {
        mode.Fields |= kFieldPaperSize;
        mode.PaperSize = CodeOfMedia(caps, caps.MediaDefault).value_or(papers.front());
    } else {
        mode.PaperSize = CodeOfMedia(caps, caps.MediaDefault).value_or(kA4);
    }
    if (std::find(caps.OrientationsSupported.begin(), caps.OrientationsSupported.end(), 4) !=
        caps.OrientationsSupported.end()) {
        mode.Fields |= kFieldOrientation;
    }
    mode.Orientation = kOrientationPortrait;
    if (caps.CopiesUpper > 1) {
        mode.Fields |= kFieldCopies;
    }
    mode.Copies = 1;
    if (std::any_of(caps.SidesSupported.begin(), caps.SidesSupported.end(), TwoSided)) {
        mode.Fields |= kFieldDuplex;
    }
    mode.Duplex = DuplexOfSides(caps.SidesDefault);
    for (const std::string& source : caps.MediaSourcesSupported) {
        if (BinCodeOfMediaSource(source)) {
            mode.Fields |= kFieldDefaultSource;
            break;
        }
    }
    if (const auto code = BinCodeOfMediaSource(caps.MediaSourceDefault)) {
        mode.DefaultSource = *code;
    } else if ((mode.Fields & kFieldDefaultSource) != 0) {
        mode.DefaultSource = *BinCodeOfMediaSource(caps.MediaSourcesSupported.front());
    }
    return mode;
}

Resolution ResolutionOf(const CupsCapabilities& caps) {
    if (caps.ResolutionX > 0 && caps.ResolutionY > 0) {
        return {caps.ResolutionX, caps.ResolutionY};
    }
    return {kFallbackDpi, kFallbackDpi};
}

std::string MediaNameOf(const CupsCapabilities& caps, const DeviceMode& mode) {
    const std::int16_t code =
        (mode.Fields & kFieldPaperSize) != 0 ? mode.PaperSize : DefaultDeviceModeOf(caps).PaperSize;
    if (code == kPaperCodeCustom) {
        return "custom_ostrelin_" + std::to_string(mode.PaperWidth / 10) + "." +
               std::to_string(mode.PaperWidth % 10) + "x" + std::to_string(mode.PaperLength / 10) +
               "." + std::to_string(mode.PaperLength % 10) + "mm";
    }
    for (const std::string& name : caps.MediaSupported) {
        if (CodeOfMedia(caps, name) == code) {
            return name;
        }
    }
    const auto paper = PaperOfCode(code);
    return paper ? std::string(paper->MediaName) : caps.MediaDefault;
}

std::vector<std::pair<std::string, std::string>> JobOptionsOf(const CupsCapabilities& caps,
                                                              const DeviceMode& mode) {
    std::vector<std::pair<std::string, std::string>> options;
    if ((mode.Fields & kFieldCopies) != 0) {
        options.emplace_back("copies", std::to_string(std::max<int>(1, mode.Copies)));
    }
    options.emplace_back("media", MediaNameOf(caps, mode));
    if ((mode.Fields & kFieldDuplex) != 0) {
        options.emplace_back("sides", SidesOfDuplex(mode.Duplex));
    }
    if ((mode.Fields & kFieldDefaultSource) != 0) {
        // The driver's extra bit (256 and up) names no tray of its own.
        for (const std::string_view source : MediaSourcesOfBinCode(mode.DefaultSource & 255)) {
            if (Contains(caps.MediaSourcesSupported, std::string(source))) {
                options.emplace_back("media-source", std::string(source));
                break;
            }
        }
    }
    if ((mode.Fields & kFieldOrientation) != 0) {
        options.emplace_back("orientation-requested",
                             mode.Orientation == kOrientationLandscape ? "4" : "3");
    }
    return options;
}

}  // namespace ostrelin::platform::printing::cups
