#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace ostrelin::testing {

// A fresh private (0700) directory, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "ostrelin-test-XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = templ;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& Path() const { return path_; }

    // The path of `name` inside the directory, as a string.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace ostrelin::testing
