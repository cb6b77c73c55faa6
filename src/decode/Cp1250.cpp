#include "decode/Cp1250.h"

#include "platform/richtext/Cp1250.h"

namespace ostrelin::decode {

std::string Cp1250ToUtf8(std::string_view bytes) {
    return platform::richtext::Cp1250ToUtf8(bytes);
}

}  // namespace ostrelin::decode
