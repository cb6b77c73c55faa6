#include "platform/richtext/RtfTokenizer.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace ostrelin::platform::richtext {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<int> HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

RtfToken Token(RtfToken::Kind kind, char byte = 0) {
    RtfToken token;
    token.Type = kind;
    token.Byte = byte;
    return token;
}

}  // namespace

RtfToken RtfTokenizer::Next() {
    while (position_ < input_.size()) {
        const char c = input_[position_];
        if (c == '\r' || c == '\n') {
            ++position_;
            continue;
        }
        if (c == '{') {
            ++position_;
            return Token(RtfToken::Kind::GroupOpen);
        }
        if (c == '}') {
            ++position_;
            return Token(RtfToken::Kind::GroupClose);
        }
        if (c == '\\') {
            return ReadControl();
        }
        ++position_;
        return Token(RtfToken::Kind::Text, c);
    }
    return {};
}

void RtfTokenizer::SkipBytes(std::size_t count) {
    position_ += std::min(count, input_.size() - position_);
}

RtfToken RtfTokenizer::ReadControl() {
    ++position_;  // the backslash
    if (position_ >= input_.size()) {
        return {};
    }
    const char first = input_[position_];
    if (!IsLetter(first)) {
        ++position_;
        if (first == '\'') {
            // Two hex digits; a broken escape yields what was read and goes on.
            int value = 0;
            for (int digit = 0; digit < 2 && position_ < input_.size(); ++digit) {
                const std::optional<int> nibble = HexValue(input_[position_]);
                if (!nibble) {
                    break;
                }
                value = value * 16 + *nibble;
                ++position_;
            }
            return Token(RtfToken::Kind::HexByte, static_cast<char>(value));
        }
        return Token(RtfToken::Kind::ControlSymbol, first);
    }

    // RTF limits control words to 32 letters and parameters to a signed 16-bit or 32-bit value;
    // longer ones are clamped rather than trusted.
    constexpr std::size_t kMaxWordLetters = 32;
    const std::size_t wordStart = position_;
    while (position_ < input_.size() && IsLetter(input_[position_]) &&
           position_ - wordStart < kMaxWordLetters) {
        ++position_;
    }
    RtfToken token = Token(RtfToken::Kind::ControlWord);
    token.Word = input_.substr(wordStart, position_ - wordStart);

    bool negative = false;
    if (position_ + 1 < input_.size() && input_[position_] == '-' &&
        IsDigit(input_[position_ + 1])) {
        negative = true;
        ++position_;
    }
    std::int64_t value = 0;
    while (position_ < input_.size() && IsDigit(input_[position_])) {
        token.HasParameter = true;
        value = std::min<std::int64_t>(value * 10 + (input_[position_] - '0'), INT32_MAX);
        ++position_;
    }
    token.Parameter = static_cast<std::int32_t>(negative ? -value : value);

    if (position_ < input_.size() && input_[position_] == ' ') {
        ++position_;
    }
    return token;
}

}  // namespace ostrelin::platform::richtext
