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
    std::cerr
        << "ostrelin-post: " << problem << "\n"
        << "usage: ostrelin-post MESSAGE WPARAM LPARAM [CLASSNAME]\n"
        << "  MESSAGE is an unsigned 32-bit decimal number, WPARAM and LPARAM signed 64-bit;\n"
        << "  CLASSNAME defaults to TTarvokCalcOstrelin.\n";
    return BadUsage;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4 || argc > 5) {
        return Usage("expected three numbers and an optional class name");
    }
    const auto message = ParseNumber<std::uint32_t>(argv[1]);
    const auto wParam = ParseNumber<std::int64_t>(argv[2]);
    const auto lParam = ParseNumber<std::int64_t>(argv[3]);
    if (!message || !wParam || !lParam) {
        return Usage("MESSAGE, WPARAM and LPARAM must be decimal numbers in range");
    }
    const std::string className = argc == 5 ? argv[4] : "TTarvokCalcOstrelin";
    if (!ostrelin::platform::desktop::WindowClassSocketPath(className)) {
        return Usage("no usable socket for class name \"" + className +
                     "\" (a plain file name is needed, and a runtime directory)");
    }
    const PostedMessage posted{*message, *wParam, *lParam};
    if (!ostrelin::platform::desktop::PostMessageToClass(className, posted)) {
        if (ostrelin::platform::desktop::FindWindowByClass(className)) {
            std::cerr << "ostrelin-post: the program registered as \"" << className
                      << "\" is not taking messages now\n";
        } else {
            std::cerr << "ostrelin-post: no running program is registered as \"" << className
                      << "\"\n";
        }
        return NobodyListens;
    }
    return Delivered;
}
