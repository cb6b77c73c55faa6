#include <gtest/gtest.h>

#include "platform/printing/cups/CupsMapping.h"

namespace ostrelin::platform::printing::cups {
namespace {

using Options = std::vector<std::pair<std::string, std::string>>;

// A destination as a typical office printer describes itself.
CupsCapabilities Office() {
    CupsCapabilities caps;
    caps.MediaSupported = {"iso_a4_210x297mm", "na_letter_8.5x11in", "iso_a3_297x420mm",
                           "om_small-photo_100x150mm", "A5"};
    caps.MediaSizes = {{"iso_a4_210x297mm", 21000, 29700},
                       {"na_letter_8.5x11in", 21590, 27940},
                       {"A5", 14800, 21000}};
    caps.MediaDefault = "iso_a4_210x297mm";
    caps.CopiesUpper = 999;
    caps.SidesSupported = {"one-sided", "two-sided-long-edge", "two-sided-short-edge"};
    caps.SidesDefault = "two-sided-long-edge";
    caps.OrientationsSupported = {3, 4, 5, 6};
    caps.MediaSourcesSupported = {"auto", "tray-1", "manual"};
    caps.MediaSourceDefault = "auto";
    caps.ResolutionX = caps.ResolutionY = 600;
    return caps;
}

TEST(CupsMapping, CapabilitiesBecomeDeclaredFieldsWithTheDestinationsDefaults) {
    const DeviceMode mode = DefaultDeviceModeOf(Office());
    EXPECT_EQ(mode.Fields, kFieldPaperSize | kFieldOrientation | kFieldCopies | kFieldDuplex |
                               kFieldDefaultSource);
    EXPECT_EQ(mode.PaperSize, 9);
    EXPECT_EQ(mode.Duplex, kDuplexVertical);
    EXPECT_EQ(mode.DefaultSource, 7);
    EXPECT_EQ(mode.Copies, 1);
    // A5 is known by the size the destination gives it; the photo size has no paper code.
    EXPECT_EQ(PaperCodesOf(Office()), (std::vector<std::int16_t>{9, 1, 8, 11}));
    EXPECT_EQ(ResolutionOf(Office()), (Resolution{600, 600}));
}

TEST(CupsMapping, ADestinationWithoutChoicesDeclaresNothing) {
    CupsCapabilities caps;
    caps.MediaDefault = "na_letter_8.5x11in";
    caps.SidesSupported = {"one-sided"};
    caps.MediaSourcesSupported = {"photo"};
    const DeviceMode mode = DefaultDeviceModeOf(caps);
    EXPECT_EQ(mode.Fields, 0u);
    EXPECT_EQ(mode.PaperSize, 1);
    EXPECT_EQ(ResolutionOf(caps), (Resolution{600, 600}));
    EXPECT_EQ(JobOptionsOf(caps, mode), (Options{{"media", "na_letter_8.5x11in"}}));
}

TEST(CupsMapping, JobAttributesFollowTheDeclaredFields) {
    const CupsCapabilities caps = Office();
    DeviceMode mode = DefaultDeviceModeOf(caps);
    mode.Copies = 2;
    mode.Orientation = kOrientationLandscape;
    mode.Duplex = kDuplexHorizontal;
    mode.DefaultSource = 256 + 4;
    mode.PaperSize = 11;
    EXPECT_EQ(JobOptionsOf(caps, mode), (Options{{"copies", "2"},
                                                 {"media", "A5"},
                                                 {"sides", "two-sided-short-edge"},
                                                 {"media-source", "manual"},
                                                 {"orientation-requested", "4"}}));
    mode.DefaultSource = 2;  // "bottom" or "tray-2": the destination has neither
    mode.Fields &= ~kFieldCopies;
    const Options options = JobOptionsOf(caps, mode);
    EXPECT_EQ(std::count_if(
                  options.begin(), options.end(),
                  [](const auto& o) { return o.first == "media-source" || o.first == "copies"; }),
              0);
}

TEST(CupsMapping, MediaNamesForStandardAndCustomSheets) {
    const CupsCapabilities caps = Office();
    DeviceMode mode = DefaultDeviceModeOf(caps);
    mode.PaperSize = 5;  // Legal: not offered, so its standard name
    EXPECT_EQ(MediaNameOf(caps, mode), "na_legal_8.5x14in");
    mode.PaperSize = 256;
    mode.PaperWidth = 1005;
    mode.PaperLength = 1500;
    EXPECT_EQ(MediaNameOf(caps, mode), "custom_ostrelin_100.5x150.0mm");
}

}  // namespace
}  // namespace ostrelin::platform::printing::cups
