#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/desktop/Notifier.h"

namespace ostrelin::platform::desktop {

// Keeps every notice in order, for tests.
class RecordingNotifier final : public Notifier {
  public:
    struct Notice {
        std::string Summary;
        std::string Body;
        std::string Topic = {};
        friend bool operator==(const Notice&, const Notice&) = default;
        friend void PrintTo(const Notice& notice, std::ostream* out) {
            *out << notice.Summary << " / " << notice.Body << " [" << notice.Topic << "]";
        }
    };

    void Notify(const std::string& topic, const std::string& summary,
                const std::string& body) override {
        notices_.push_back({summary, body, topic});
    }
    const std::vector<Notice>& Notices() const { return notices_; }

  private:
    std::vector<Notice> notices_;
};

}  // namespace ostrelin::platform::desktop
