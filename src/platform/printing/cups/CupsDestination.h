#pragma once

#include <cups/cups.h>

#include <string>

namespace ostrelin::platform::printing::cups {

// One CUPS destination looked up by name, with its IPP information, both released with the
// object.
class CupsDestination {
  public:
    // Looks up "queue" or "queue/instance" among the scheduler's destinations. Throws
    // ostrelin::Error naming the printer when the scheduler does not answer or does not know it.
    explicit CupsDestination(const std::string& name);
    ~CupsDestination();
    CupsDestination(const CupsDestination&) = delete;
    CupsDestination& operator=(const CupsDestination&) = delete;

    cups_dest_t* Dest() const { return dest_; }
    // The destination's IPP information; null when the scheduler did not answer.
    cups_dinfo_t* Info() const { return info_; }
    // Whether the queue takes new jobs now.
    bool AcceptingJobs() const;

  private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
};

// The texts the user reads about a CUPS printer, each naming it.
std::string SchedulerNotRunningText(const std::string& name);
std::string QueueGoneText(const std::string& name);
std::string NotAcceptingJobsText(const std::string& name);

// True when the last request of this thread failed because the scheduler could not be reached.
bool SchedulerUnreachable();

}  // namespace ostrelin::platform::printing::cups
