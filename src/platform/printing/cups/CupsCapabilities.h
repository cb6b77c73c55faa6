#pragma once

#include <string>
#include <vector>

namespace ostrelin::platform::printing::cups {

// One medium a destination offers, its size in hundredths of a millimetre.
struct CupsMedia {
    std::string Name;
    int Width = 0;
    int Length = 0;
};

// What a CUPS destination reports about itself over IPP, copied out of libcups' structures.
struct CupsCapabilities {
    std::vector<std::string> MediaSupported;         // media-supported
    std::vector<CupsMedia> MediaSizes;               // media-col-database
    std::string MediaDefault;                        // media-default
    int CopiesUpper = 1;                             // upper bound of copies-supported
    std::vector<std::string> SidesSupported;         // sides-supported
    std::string SidesDefault;                        // sides-default
    std::vector<int> OrientationsSupported;          // orientation-requested-supported
    std::vector<std::string> MediaSourcesSupported;  // media-source-supported
    std::string MediaSourceDefault;                  // media-source-default
    int ResolutionX = 0;                             // printer-resolution-default, dots per inch
    int ResolutionY = 0;
    std::string DeviceUri;
    std::string MakeAndModel;
};

// Asks the scheduler about destination `name` ("queue" or "queue/instance"). Throws
// ostrelin::Error naming the printer when the scheduler does not answer or does not know it.
CupsCapabilities ReadCupsCapabilities(const std::string& name);

}  // namespace ostrelin::platform::printing::cups
