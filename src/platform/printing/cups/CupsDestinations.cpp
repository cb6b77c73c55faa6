#include "platform/printing/cups/CupsDestinations.h"

#include <cups/cups.h>

#include <memory>
#include <span>

#include "platform/printing/cups/CupsDestination.h"

namespace ostrelin::platform::printing::cups {

namespace {

// Owns the array that cupsGetDests2 allocates.
class DestArray {
  public:
    DestArray() : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)) {}
    ~DestArray() { cupsFreeDests(count_, dests_); }
    DestArray(const DestArray&) = delete;
    DestArray& operator=(const DestArray&) = delete;

    std::span<const cups_dest_t> Items() const {
        return {dests_, static_cast<std::size_t>(count_ > 0 ? count_ : 0)};
    }

  private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

std::string DestinationName(const cups_dest_t& dest) {
    std::string name = dest.name;
    if (dest.instance != nullptr) {
        name += '/';
        name += dest.instance;
    }
    return name;
}

}  // namespace

CupsDestinationList ReadCupsDestinations() {
    CupsDestinationList list;
    const DestArray dests;
    list.SchedulerReached = !dests.Items().empty() || !SchedulerUnreachable();
    for (const cups_dest_t& dest : dests.Items()) {
        list.Names.push_back(DestinationName(dest));
        if (dest.is_default != 0 && list.DefaultName.empty()) {
            list.DefaultName = list.Names.back();
        }
    }
    return list;
}

}  // namespace ostrelin::platform::printing::cups
