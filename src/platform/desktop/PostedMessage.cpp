#include "platform/desktop/PostedMessage.h"

#include <charconv>
#include <vector>

namespace ostrelin::platform::desktop {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> SplitOnBlanks(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

// A whole word as a number of type T; std::from_chars takes a leading '-' for signed types only.
template <typename T>
std::optional<T> ParseNumber(std::string_view word) {
    T value{};
    const char* const end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string FormatPostedMessage(const PostedMessage& message) {
    return std::to_string(message.Message) + ' ' + std::to_string(message.WParam) + ' ' +
           std::to_string(message.LParam) + '\n';
}

std::optional<PostedMessage> ParsePostedMessage(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const std::vector<std::string_view> words = SplitOnBlanks(line);
    if (words.size() != 3) {
        return std::nullopt;
    }
    const auto message = ParseNumber<std::uint32_t>(words[0]);
    const auto wParam = ParseNumber<std::int64_t>(words[1]);
    const auto lParam = ParseNumber<std::int64_t>(words[2]);
    if (!message || !wParam || !lParam) {
        return std::nullopt;
    }
    return PostedMessage{*message, *wParam, *lParam};
}

}  // namespace ostrelin::platform::desktop
