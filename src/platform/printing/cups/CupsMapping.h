#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/printing/DeviceMode.h"
#include "platform/printing/PrinterDriver.h"
#include "platform/printing/cups/CupsCapabilities.h"

namespace ostrelin::platform::printing::cups {

// A destination's IPP capabilities seen as a driver's device settings: a field is declared when
// the destination offers a choice for it (papers from media-supported, copies from
// copies-supported, duplex from sides-supported, orientation from
// orientation-requested-supported, paper source from media-source-supported), and holds the
// destination's default.
DeviceMode DefaultDeviceModeOf(const CupsCapabilities& caps);

// Paper codes of the media the destination supports, each once, in its order.
std::vector<std::int16_t> PaperCodesOf(const CupsCapabilities& caps);

// The destination's default resolution; 600 dots per inch when it names none.
Resolution ResolutionOf(const CupsCapabilities& caps);

// The IPP media name for the paper of `mode`: the destination's own name for that sheet when it
// lists one, the standard name otherwise, or a custom size.
std::string MediaNameOf(const CupsCapabilities& caps, const DeviceMode& mode);

// Job attributes for a document printed with `mode`: copies, media, sides, media-source and
// orientation-requested, each only when its field is declared.
std::vector<std::pair<std::string, std::string>> JobOptionsOf(const CupsCapabilities& caps,
                                                              const DeviceMode& mode);

}  // namespace ostrelin::platform::printing::cups
