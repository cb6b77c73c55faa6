#pragma once

#include <memory>
#include <string>

#include "platform/files/FileSystem.h"

namespace ostrelin::platform::files {

// The base of file systems that are only read from, such as files held in memory: nothing can be
// claimed, nothing is being written and nothing is deleted.
class ReadOnlyFileSystem : public FileSystem {
  public:
    bool DeleteFile(const std::string&) const override { return false; }
    bool CreateNewFile(const std::string&, const std::string&) const override { return false; }
    std::unique_ptr<ClaimedFile> Claim(const std::string&, const std::string&) const override {
        return nullptr;
    }
    std::unique_ptr<ClaimedFile> TakeUpClaim(const std::string&,
                                             const std::string&) const override {
        return nullptr;
    }
    void WatchWriters(const std::string&) const override {}
    bool BeingWritten(const std::string&) const override { return false; }
    bool DeleteUnlessLocked(const std::string&) const override { return false; }
};

}  // namespace ostrelin::platform::files
