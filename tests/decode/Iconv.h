#pragma once

#include <locale.h>

#include <optional>
#include <string>
#include <string_view>

namespace ostrelin::decode::testing {

// `input` converted by the C library's iconv from encoding `from` to encoding `to`; nothing when
// iconv rejects the input (for instance a byte the source encoding leaves undefined).
std::optional<std::string> Iconv(const char* from, const char* to, std::string_view input);

// The code page byte of one Unicode character given as UTF-8; nothing when the code page lacks it
// or the text is not exactly one character of it.
std::optional<unsigned char> ByteInCodePage(const char* codePage, std::string_view utf8Character);

// Makes the calling thread use the C.UTF-8 character type rules while it lives, so that iconv's
// transliteration knows the Latin letters. Available() is false when the system lacks that locale.
class ScopedUtf8Ctype {
  public:
    ScopedUtf8Ctype();
    ~ScopedUtf8Ctype();
    ScopedUtf8Ctype(const ScopedUtf8Ctype&) = delete;
    ScopedUtf8Ctype& operator=(const ScopedUtf8Ctype&) = delete;

    bool Available() const { return utf8_ != nullptr; }

  private:
    locale_t utf8_;
    locale_t previous_ = nullptr;
};

}  // namespace ostrelin::decode::testing
