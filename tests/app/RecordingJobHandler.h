#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/cycle/JobHandler.h"
#include "platform/Error.h"

namespace ostrelin::testing {

// Remembers every job handed on: its kind and the record stream from where classification left it.
// Can be told to fail, as a printer would.
class RecordingJobHandler final : public app::JobHandler {
  public:
    struct Job {
        decode::JobKind Kind;
        std::string Records;
    };

    void HandleJob(decode::JobKind kind, decode::ByteStream& stream) override {
        const std::size_t from = std::min(stream.Position(), stream.Size());
        Jobs.push_back({kind, stream.Bytes().substr(from)});
        if (OnJob) {
            OnJob();
        }
        if (!FailWith.empty()) {
            throw Error(FailWith);
        }
    }

    std::vector<Job> Jobs;
    std::string FailWith;
    std::function<void()> OnJob;  // runs while the job "prints"
};

}  // namespace ostrelin::testing
