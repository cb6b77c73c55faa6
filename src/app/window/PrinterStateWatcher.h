#pragma once

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <optional>
#include <string>

#include "platform/printing/PrinterState.h"

namespace ostrelin::app {

// Asks for a printer's state away from the event loop, so that a printing system that answers
// slowly or not at all never holds up the window: one question at a time, the answer told from
// the event loop.
class PrinterStateWatcher final : public QObject {
    Q_OBJECT

  public:
    using Ask = std::function<platform::printing::PrinterState(const std::string& device)>;

    explicit PrinterStateWatcher(Ask ask, QObject* parent = nullptr);
    // Waits for a question under way.
    ~PrinterStateWatcher() override;

    // Asks for the state of `device` (empty: the default printer). While a question is under
    // way, only the latest device asked for is asked next, once the answer is in.
    void AskFor(const std::string& device);

  signals:
    // The answer for `device` as it was asked for.
    void Answered(const std::string& device, const platform::printing::PrinterState& state);

  private:
    void Start(const std::string& device);

    Ask ask_;
    bool asking_ = false;  // touched only from the event loop's thread
    std::optional<std::string> next_;
    QThreadPool pool_;
};

}  // namespace ostrelin::app
