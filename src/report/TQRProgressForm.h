#pragma once

#include <functional>

namespace ostrelin::report {

// Receives the progress notices of a print: the number of pages done and the percentage the run
// reports. The engine makes one for every print; it is shown only when the report asks for
// progress, which this program never does, so it only keeps the last notices and passes them on
// to whoever listens.
class TQRProgressForm {
  public:
    // A page has been finished; `page` counts the pages finished so far.
    void PostPage(int page) {
        lastPage_ = page;
        if (OnPage) {
            OnPage(page);
        }
    }
    // The run reports `percent` done.
    void PostPercent(int percent) {
        lastPercent_ = percent;
        if (OnPercent) {
            OnPercent(percent);
        }
    }

    int LastPage() const { return lastPage_; }
    int LastPercent() const { return lastPercent_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    std::function<void(int)> OnPage;
    std::function<void(int)> OnPercent;

  private:
    int lastPage_ = 0;
    int lastPercent_ = 0;
    bool visible_ = false;
};

}  // namespace ostrelin::report
