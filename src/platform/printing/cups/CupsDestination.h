#pragma once

#include <cups/cups.h>

#include <string>

namespace ostrelin::platform::printing::cups {

// One CUPS destination looked up by name, with its IPP information, both released with the
// object.
class CupsDestination {
  public:
    // Looks up "queue" or "queue/instance" among the scheduler's destinations.
    explicit CupsDestination(const std::string& name);
    ~CupsDestination();
    CupsDestination(const CupsDestination&) = delete;
    CupsDestination& operator=(const CupsDestination&) = delete;

    bool Found() const { return dest_ != nullptr; }
    cups_dest_t* Dest() const { return dest_; }
    // The destination's IPP information; null when the scheduler did not answer.
    cups_dinfo_t* Info() const { return info_; }

  private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
};

}  // namespace ostrelin::platform::printing::cups
