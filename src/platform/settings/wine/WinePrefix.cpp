#include "platform/settings/wine/WinePrefix.h"

#include <cstdlib>
#include <system_error>

#include "platform/files/posix/WinePaths.h"
#include "platform/settings/RegEditText.h"
#include "platform/settings/posix/AtomicFile.h"
#include "platform/settings/posix/XdgDirectories.h"
#include "platform/settings/wine/WineRegistryText.h"

namespace ostrelin::platform::settings {

namespace {

namespace fs = std::filesystem;

// Wine's registry files grow with every program installed; a few megabytes are usual.
constexpr std::size_t kMaxWineRegistrySize = 64 * 1024 * 1024;

constexpr std::string_view kSpoolDir = "SpoolDir";
constexpr std::string_view kPrinterName = "PrinterName";
constexpr std::string_view kPrinterEnable = "PrinterEnable";

bool IsText(const RegistryValue& value) {
    return value.Type == REG_SZ || value.Type == REG_EXPAND_SZ;
}

std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

fs::path DefaultWinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return prefix;
    }
    return HomeFolder() / ".wine";
}

bool WinePrefixExists(const fs::path& prefix) {
    std::error_code error;
    return fs::is_regular_file(prefix / "system.reg", error);
}

std::optional<std::string> WinePrefixArchitecture(const fs::path& prefix) {
    // The note stands in the first lines; the rest of the file is not needed.
    const SmallFileRead read = ReadSmallFile(prefix / "system.reg", 4096);
    if (!read.Exists || !read.Failure.empty())
        return std::nullopt;
    const std::string_view head = read.Content;
    const std::string_view marker = "\n#arch=";
    const std::size_t at = head.find(marker);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::size_t start = at + marker.size();
    std::string arch(head.substr(start, head.find_first_of("\r\n", start) - start));
    if (arch != "win32" && arch != "win64")
        return std::nullopt;
    return arch;
}

WinePrefixSettings ReadWinePrefixSettings(const fs::path& prefix, std::string_view keyPath,
                                          desktop::ErrorReport& errors) {
    WinePrefixSettings settings;
    const fs::path file = prefix / "user.reg";
    const std::string notUsed = "; nastavení z registru Wine se nepoužijí.";
    const SmallFileRead read = ReadSmallFile(file, kMaxWineRegistrySize);
    if (!read.Exists)
        return settings;
    if (!read.Failure.empty()) {
        errors.Report("Registr Wine " + file.string() + " nelze přečíst: " + read.Failure +
                      notUsed);
        return settings;
    }
    if (read.Content.size() > kMaxWineRegistrySize) {
        errors.Report("Registr Wine " + file.string() + " je příliš velký" + notUsed);
        return settings;
    }
    const RegEditParseResult parsed = ParseWineRegistryText(read.Content);
    if (parsed.Damage) {
        const std::string where = parsed.Damage->Line == 0
                                      ? std::string()
                                      : ", řádek " + std::to_string(parsed.Damage->Line);
        errors.Report("Registr Wine " + file.string() + " je poškozený" + where + ": " +
                      parsed.Damage->Reason + notUsed);
        return settings;
    }
    const RegistryKey* key = parsed.Document.Find(keyPath);
    if (key == nullptr)
        return settings;

    auto wrongType = [&](std::string_view name, std::string_view expected) {
        errors.Report("Hodnota „" + std::string(name) + "“ v registru Wine " + file.string() +
                      " (klíč " + std::string(keyPath) + ") není " + std::string(expected) +
                      "; nepoužije se.");
    };
    if (const RegistryValue* value = key->Values.Find(kSpoolDir)) {
        if (!IsText(*value)) {
            wrongType(kSpoolDir, "text");
        } else if (const std::string windowsPath = UpToNul(value->Data); !windowsPath.empty()) {
            settings.SpoolDir = files::MapWinePath(prefix, windowsPath);
            if (!settings.SpoolDir) {
                errors.Report("Spool složku „" + windowsPath + "“ z registru Wine " +
                              file.string() +
                              " nelze najít v Linuxu: cesta nezačíná písmenem jednotky, které "
                              "předpona " +
                              prefix.string() + " mapuje v dosdevices; nepoužije se.");
            }
        }
    }
    if (const RegistryValue* value = key->Values.Find(kPrinterName)) {
        if (IsText(*value)) {
            settings.PrinterName = UpToNul(value->Data);
        } else {
            wrongType(kPrinterName, "text");
        }
    }
    if (const RegistryValue* value = key->Values.Find(kPrinterEnable)) {
        if (value->Type == REG_DWORD && value->Data.size() == 4) {
            settings.PrinterEnable = static_cast<std::int32_t>(DwordOf(value->Data));
        } else {
            wrongType(kPrinterEnable, "32bitové číslo");
        }
    }
    return settings;
}

}  // namespace ostrelin::platform::settings
