#include "decode/DescriptionLine.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "decode/ConversionTables.h"

namespace ostrelin::decode {

std::string ReadDescriptionLine(const platform::files::FileSystem& files, const std::string& path) {
    std::optional<std::string> line;
    try {
        line = files.ReadTextLine(path, kDescriptionMaxBytes);
    } catch (const std::exception&) {
        // The queue refresh must go on whatever happens to one file; it then shows no description.
        return {};
    }
    if (!line) {
        return {};
    }
    std::string text = ConvertString(*line, kCp852ToCp1250Table);
    const auto firstShown = std::find_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 32; });
    text.erase(text.begin(), firstShown);
    return text;
}

}  // namespace ostrelin::decode
