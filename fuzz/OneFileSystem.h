#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Error.h"
#include "platform/files/ReadOnlyFileSystem.h"

namespace ostrelin::fuzz {

// A spool directory in memory that holds one file, so that the queue's reading of a description
// line sees the fuzzer's bytes without touching the disk.
class OneFileSystem final : public platform::files::ReadOnlyFileSystem {
  public:
    OneFileSystem(std::string path, std::string_view content)
        : path_(std::move(path)), content_(content) {}

    std::vector<platform::files::FoundFile> FindFiles(const std::string&, const std::string&,
                                                      std::uint32_t) const override {
        return {{.Name = path_.substr(path_.rfind('/') + 1),
                 .Size = static_cast<std::int64_t>(content_.size()),
                 .Attributes = 0,
                 .LastWrite = {}}};
    }

    std::string LoadWholeFile(const std::string& path) const override {
        if (path != path_) {
            throw Error("Cannot open file " + path);
        }
        return std::string(content_);
    }

    std::optional<std::string> ReadTextLine(const std::string& path,
                                            std::size_t maxBytes) const override {
        if (path != path_) {
            return std::nullopt;
        }
        const std::string_view head = content_.substr(0, maxBytes);
        const auto stop =
            std::find_if(head.begin(), head.end(), [](char c) { return c == '\r' || c == '\x1A'; });
        return std::string(head.begin(), stop);
    }

  private:
    std::string path_;
    std::string_view content_;
};

}  // namespace ostrelin::fuzz
