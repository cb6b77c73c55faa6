#include "app/queue/ClaimNames.h"

#include <charconv>
#include <cstdint>

#include "platform/files/FileSystem.h"

namespace ostrelin::app {

namespace {

constexpr std::string_view kClaimMark = ".printing-";
constexpr std::string_view kNoteSuffix = ".name";
constexpr char kHashMark = '~';
constexpr std::size_t kHashDigits = 16;
// ".QSF" in whatever case the name has it.
constexpr std::size_t kExtensionBytes = 4;
// The most digits an attempt (an int) can have.
constexpr std::size_t kAttemptDigits = 10;
// A name longer than this does not fit ".<name>.printing-<attempt>" within the limit.
constexpr std::size_t kLongestPlainStem =
    platform::files::kMaxFileNameBytes - 1 - kClaimMark.size() - kAttemptDigits;
// What a shortened stem keeps of the name's start.
constexpr std::size_t kShortenedStart =
    kLongestPlainStem - 1 - kHashDigits - kExtensionBytes - kNoteSuffix.size();

// FNV-1a, 64 bits: the same name always gives the same stem, in every run and build.
std::uint64_t NameHash(std::string_view name) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    std::string digits(kHashDigits, '0');
    for (std::size_t at = kHashDigits; at-- > 0; value >>= 4) {
        digits[at] = "0123456789abcdef"[value & 0xf];
    }
    return digits;
}

// The longest start of `text` of at most `bytes` bytes that does not cut a UTF-8 sequence.
std::string_view StartWithin(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) {
        return text;
    }
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

}  // namespace

bool ClaimNeedsNameNote(std::string_view diskName) {
    return diskName.size() > kLongestPlainStem;
}

std::string ClaimStem(std::string_view diskName) {
    if (!ClaimNeedsNameNote(diskName)) {
        return std::string(diskName);
    }
    const std::string_view body = diskName.substr(0, diskName.size() - kExtensionBytes);
    return std::string(StartWithin(body, kShortenedStart)) + kHashMark + Hex(NameHash(diskName)) +
           std::string(diskName.substr(body.size()));
}

// Appended piece by piece: GCC 12 warns falsely about a literal put in front of a new string.
std::string ClaimName(std::string_view diskName, int attempt) {
    std::string name(".");
    name.append(ClaimStem(diskName)).append(kClaimMark).append(std::to_string(attempt));
    return name;
}

std::string NameNoteName(std::string_view stem) {
    std::string name(".");
    name.append(stem).append(kNoteSuffix);
    return name;
}

bool IsShortenedStem(std::string_view stem) {
    const std::size_t hashed = 1 + kHashDigits + kExtensionBytes;
    if (stem.size() < hashed || stem.size() > kLongestPlainStem) {
        return false;
    }
    const std::string_view tail = stem.substr(stem.size() - hashed);
    return tail.front() == kHashMark &&
           tail.substr(1, kHashDigits).find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::optional<ParsedClaim> ParseClaimName(std::string_view name) {
    const auto mark = name.rfind(kClaimMark);
    if (name.size() < 2 || name.front() != '.' || mark == std::string_view::npos || mark < 2) {
        return std::nullopt;
    }
    int attempt = 0;
    const char* const digits = name.data() + mark + kClaimMark.size();
    const char* const end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(digits, end, attempt);
    if (error != std::errc() || stop != end || attempt < 1) {
        return std::nullopt;
    }
    return ParsedClaim{std::string(name.substr(1, mark - 1)), attempt};
}

}  // namespace ostrelin::app
