#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>

namespace ostrelin::testing {

// The standard output of a shell command; empty when it cannot be run.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return output;
    }
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()) != nullptr) {
        output += buffer.data();
    }
    return output;
}

}  // namespace ostrelin::testing
