#include "platform/settings/Autostart.h"

#include "platform/Error.h"
#include "platform/settings/Utf8Text.h"
#include "platform/settings/posix/AtomicFile.h"
#include "platform/settings/posix/XdgDirectories.h"

namespace ostrelin::platform::settings {
namespace {

// A desktop entry string: backslash and the control characters it can name are escaped.
std::optional<std::string> EntryString(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20u) {
                    return std::nullopt;
                }
                out.push_back(c);
        }
    }
    if (!IsUtf8(text)) {
        return std::nullopt;
    }
    return out;
}

// The program path as one quoted argument of Exec: inside the quotes ", `, $ and \ take a
// backslash, and % is doubled so that it is not read as a field code.
std::string QuotedArgument(std::string_view path) {
    std::string out = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            out.push_back('\\');
        } else if (c == '%') {
            out.push_back('%');
        }
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

}  // namespace

std::filesystem::path SystemAutostartFolder() {
    return SystemConfigFolder() / "autostart";
}

std::optional<std::string> AutostartEntryText(std::string_view name,
                                              std::string_view executablePath) {
    // The quoting of Exec comes first; the string escapes of the entry file apply on top of it.
    const std::optional<std::string> entryName = EntryString(name);
    const std::optional<std::string> exec = EntryString(QuotedArgument(executablePath));
    if (!entryName || !exec || entryName->empty()) {
        return std::nullopt;
    }
    return "[Desktop Entry]\nType=Application\nName=" + *entryName + "\nExec=" + *exec + "\n";
}

bool WriteAutostartEntry(std::string_view name, std::string_view executablePath) {
    const std::optional<std::string> text = AutostartEntryText(name, executablePath);
    if (!text || name.find('/') != std::string_view::npos) {
        return false;
    }
    try {
        // Every user's session reads the entry.
        using std::filesystem::perms;
        ReplaceFileAtomically(
            SystemAutostartFolder() / (std::string(name) + ".desktop"), *text,
            perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
        return true;
    } catch (const Error&) {
        return false;
    }
}

}  // namespace ostrelin::platform::settings
