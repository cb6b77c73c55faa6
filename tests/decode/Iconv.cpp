#include "decode/Iconv.h"

#include <iconv.h>

#include <cstdint>
#include <memory>
#include <stdexcept>

namespace ostrelin::decode::testing {

namespace {

struct IconvCloser {
    void operator()(void* descriptor) const { iconv_close(static_cast<iconv_t>(descriptor)); }
};

}  // namespace

std::optional<std::string> Iconv(const char* from, const char* to, std::string_view input) {
    const iconv_t opened = iconv_open(to, from);
    if (opened == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    const std::unique_ptr<void, IconvCloser> descriptor(opened);

    std::string in(input);
    char* inNext = in.data();
    std::size_t inLeft = in.size();
    std::string out(in.size() * 4 + 16, '\0');
    char* outNext = out.data();
    std::size_t outLeft = out.size();
    const std::size_t failed = static_cast<std::size_t>(-1);
    if (iconv(opened, &inNext, &inLeft, &outNext, &outLeft) == failed ||
        iconv(opened, nullptr, nullptr, &outNext, &outLeft) == failed) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::optional<unsigned char> ByteInCodePage(const char* codePage, std::string_view utf8Character) {
    const std::optional<std::string> bytes = Iconv("UTF-8", codePage, utf8Character);
    if (!bytes || bytes->size() != 1) {
        return std::nullopt;
    }
    return static_cast<unsigned char>((*bytes)[0]);
}

ScopedUtf8Ctype::ScopedUtf8Ctype() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
    if (utf8_ != nullptr) {
        previous_ = uselocale(utf8_);
    }
}

ScopedUtf8Ctype::~ScopedUtf8Ctype() {
    if (utf8_ != nullptr) {
        uselocale(previous_);
        freelocale(utf8_);
    }
}

}  // namespace ostrelin::decode::testing
