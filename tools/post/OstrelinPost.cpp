// ostrelin-post MESSAGE WPARAM LPARAM [CLASSNAME]
//
// Posts a window message to the running program registered under CLASSNAME (by default the
// spooler, "TTarvokCalcOstrelin"), e.g. `ostrelin-post 1024 123456 123456` shows the spooler's
// window. Exit status: 0 delivered, 1 no copy runs (or it takes no messages now), 2 bad usage.

#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/WindowClassRegistry.h"

namespace {

using ostrelin::platform::desktop::PostedMessage;

constexpr int Delivered = 0;
constexpr int NobodyListens = 1;
constexpr int BadUsage = 2;

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

int Usage(std::string_view problem) {
    std::cerr << "ostrelin-post: " << problem << "\n"
              << "použití: ostrelin-post ZPRÁVA WPARAM LPARAM [TŘÍDA]\n"
              << "  ZPRÁVA je desítkové číslo bez znaménka (32 bitů), WPARAM a LPARAM jsou čísla\n"
              << "  se znaménkem (64 bitů); bez udání TŘÍDY platí TTarvokCalcOstrelin.\n";
    return BadUsage;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4 || argc > 5) {
        return Usage("čekají se tři čísla a případně třída okna");
    }
    const auto message = ParseNumber<std::uint32_t>(argv[1]);
    const auto wParam = ParseNumber<std::int64_t>(argv[2]);
    const auto lParam = ParseNumber<std::int64_t>(argv[3]);
    if (!message || !wParam || !lParam) {
        return Usage("ZPRÁVA, WPARAM a LPARAM musí být desítková čísla v povoleném rozsahu");
    }
    const std::string className = argc == 5 ? argv[4] : "TTarvokCalcOstrelin";
    if (!ostrelin::platform::desktop::WindowClassSocketPath(className)) {
        return Usage("třídu okna „" + className +
                     "“ nelze použít: musí to být prosté jméno souboru a uživatel musí mít "
                     "běhový adresář (XDG_RUNTIME_DIR)");
    }
    const PostedMessage posted{*message, *wParam, *lParam};
    if (!ostrelin::platform::desktop::PostMessageToClass(className, posted)) {
        if (ostrelin::platform::desktop::FindWindowByClass(className)) {
            std::cerr << "ostrelin-post: program registrovaný jako „" << className
                      << "“ teď nepřijímá zprávy\n";
        } else {
            std::cerr << "ostrelin-post: jako „" << className
                      << "“ není registrován žádný běžící program\n";
        }
        return NobodyListens;
    }
    return Delivered;
}
