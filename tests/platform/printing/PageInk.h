#pragma once

#include <array>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

#include "platform/CommandOutput.h"

namespace ostrelin::testing {

// Where the ink of one page of a PDF lies on its page box as drawn, before the page's turn for
// feeding is applied: rendered at 288 dpi, in quarter points, {width, height, left, top}.
// `scratch` is a folder for the picture.
inline std::array<double, 4> InkOfPage(const std::filesystem::path& pdf, int page,
                                       const std::filesystem::path& scratch) {
    const std::string number = std::to_string(page);
    const std::string range = " -f " + number + " -l " + number + " '" + pdf.string() + "'";
    const std::string info = CommandOutput("pdfinfo" + range);
    std::smatch rotation;
    const int turned = std::regex_search(info, rotation, std::regex(R"(Page\s+\d+ rot:\s+(\d+))"))
                           ? std::stoi(rotation[1])
                           : 0;
    const std::filesystem::path image = scratch / "ink";
    std::istringstream ink(CommandOutput("pdftoppm -r 288 -singlefile -gray" + range + " '" +
                                         image.string() + "' && convert '" + image.string() +
                                         ".pgm' -rotate " + std::to_string((360 - turned) % 360) +
                                         " -threshold 50% -trim -format '%w %h %X %Y' info:"));
    std::array<double, 4> bounds{};
    for (double& value : bounds) {
        ink >> value;
    }
    return bounds;
}

}  // namespace ostrelin::testing
