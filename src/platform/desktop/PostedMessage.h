#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrelin::platform::desktop {

// Window messages that other programs post to the spooler's window class.
inline constexpr std::uint32_t WM_QUIT = 18;
inline constexpr std::uint32_t WM_USER = 1024;

// One message posted to a window class: its number and its two parameters.
struct PostedMessage {
    std::uint32_t Message = 0;
    std::int64_t WParam = 0;
    std::int64_t LParam = 0;

    friend bool operator==(const PostedMessage&, const PostedMessage&) = default;
};

// The longest line, terminator included, that a posted message may take on the wire.
inline constexpr std::size_t MaxPostedLineLength = 256;

// The wire form of a message: "MESSAGE WPARAM LPARAM\n" in decimal.
std::string FormatPostedMessage(const PostedMessage& message);

// Reads one line of the wire form (without its '\n'; a trailing '\r' is allowed). The three
// numbers are decimal and separated by spaces or tabs; the message number is unsigned 32-bit, the
// parameters signed 64-bit. Nothing for any other text.
std::optional<PostedMessage> ParsePostedMessage(std::string_view line);

}  // namespace ostrelin::platform::desktop
