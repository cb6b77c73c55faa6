#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/TempDir.h"

namespace ostrelin::testing {

// A spool directory in a temporary folder, with helpers to drop job files into it.
class SpoolDirectory {
  public:
    using Clock = std::chrono::system_clock;

    // The directory as the spooler names it, ending with '/'.
    std::string Path() const { return dir_.Path().string() + "/"; }

    // Writes a file with the given last-write time (by default long enough ago to count as
    // complete).
    void Write(const std::string& name, const std::string& bytes,
               Clock::time_point lastWrite = Clock::now() - std::chrono::seconds(10)) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        SetLastWrite(name, lastWrite);
    }

    void Append(const std::string& name, const std::string& bytes,
                Clock::time_point lastWrite) const {
        std::ofstream(dir_ / name, std::ios::binary | std::ios::app) << bytes;
        SetLastWrite(name, lastWrite);
    }

    void SetLastWrite(const std::string& name, Clock::time_point lastWrite) const {
        std::filesystem::last_write_time(
            dir_ / name, std::filesystem::file_time_type::clock::from_sys(lastWrite));
    }

    std::string Read(const std::string& name) const {
        std::ifstream file(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
    void Remove(const std::string& name) const { std::filesystem::remove(dir_ / name); }
    std::string File(const std::string& name) const { return dir_ / name; }

  private:
    TempDir dir_;
};

// A small spool file: a description line in code page 852, CR LF, the two skipped bytes, records.
inline std::string SpoolFile(const std::string& description, const std::string& records = "") {
    return description + std::string("\r\n\0\0", 4) + records;
}

}  // namespace ostrelin::testing
