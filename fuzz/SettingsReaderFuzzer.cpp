// Feeds arbitrary bytes to the reader of the settings file. Whatever it accepts must be written
// back and read again as the same keys and values, since every change of a setting rewrites the
// whole file from what was read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/settings/RegEditText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrelin::platform::settings;
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const RegEditParseResult read = ParseRegEditText(input);
    if (read.Damage) {
        ostrelin::fuzz::Require(read.Document.Keys().empty(), "a damaged file gives no keys");
        return 0;
    }
    const std::string written = FormatRegEditText(read.Document);
    const RegEditParseResult again = ParseRegEditText(written);
    ostrelin::fuzz::Require(!again.Damage, "a written settings file reads back undamaged");
    ostrelin::fuzz::Require(again.Document == read.Document,
                            "settings read from a file are written back without loss");
    return 0;
}
