#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace ostrelin::testing {

// Sets (or, with nothing, removes) one environment variable and puts the old value back when the
// object goes.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = ::getenv(name)) {
            old_ = old;
        }
        Apply(value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() { Apply(old_); }

  private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace ostrelin::testing
