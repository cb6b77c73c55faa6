#include "platform/files/posix/WinePaths.h"

#include <cctype>
#include <system_error>
#include <vector>

#include "platform/files/posix/NameMatching.h"

namespace ostrelin::platform::files {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Components(std::string_view path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    return parts;
}

// The name in `folder` that is `name` when letter case is ignored: the exact name first, then
// the first entry that folds to the same letters. Nothing when there is none.
std::optional<std::string> ExistingName(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error))
        return name;
    const std::u32string wanted = FoldedName(name);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (FoldedName(candidate) == wanted)
            return candidate;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> MapWinePath(const fs::path& prefix, std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(windowsPath[0]))) {
        return std::nullopt;
    }
    const std::string drive{
        static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0]))), ':'};
    std::error_code error;
    const fs::path driveRoot = fs::canonical(prefix / "dosdevices" / drive, error);
    if (error || !fs::is_directory(driveRoot, error))
        return std::nullopt;

    fs::path folder = driveRoot;
    bool existing = true;  // every name so far exists, so the next one can be looked up
    for (const std::string& part : Components(windowsPath.substr(2))) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (folder != driveRoot)
                folder = folder.parent_path();
            continue;
        }
        std::optional<std::string> name = existing ? ExistingName(folder, part) : std::nullopt;
        existing = name.has_value();
        folder /= name.value_or(part);
    }
    std::string result = folder.string();
    if (result.back() != '/')
        result += '/';
    return result;
}

}  // namespace ostrelin::platform::files
