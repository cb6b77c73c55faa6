#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ostrelin::platform::printing {

// The first paper source code that the IPP media-source keyword `source` stands for; nothing for
// keywords without a code.
std::optional<std::int16_t> BinCodeOfMediaSource(std::string_view source);

// The IPP media-source keywords that stand for paper source code `code`, most usual first.
std::vector<std::string_view> MediaSourcesOfBinCode(int code);

}  // namespace ostrelin::platform::printing
