#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ostrelin::platform::richtext {

// One lexical element of an RTF stream.
struct RtfToken {
    enum class Kind : std::uint8_t {
        GroupOpen,      // {
        GroupClose,     // }
        ControlWord,    // \word or \wordN, with its delimiting space consumed
        ControlSymbol,  // \ followed by one character that is not a letter
        HexByte,        // \'hh
        Text,           // one byte of text
        End,            // no more input
    };
    Kind Type = Kind::End;
    std::string_view Word;  // ControlWord: the letters
    bool HasParameter = false;
    std::int32_t Parameter = 0;
    char Byte = 0;  // ControlSymbol: the character; HexByte, Text: the byte
};

// Splits an RTF stream into tokens. Line ends in the stream are not text in RTF and are dropped,
// except directly after a backslash, where they form a control symbol (an old form of \par).
class RtfTokenizer {
  public:
    explicit RtfTokenizer(std::string_view input) : input_(input) {}

    // The next token; End once the input is used up.
    RtfToken Next();

    // Skips `count` raw bytes, as \binN demands.
    void SkipBytes(std::size_t count);

  private:
    RtfToken ReadControl();

    std::string_view input_;
    std::size_t position_ = 0;
};

}  // namespace ostrelin::platform::richtext
