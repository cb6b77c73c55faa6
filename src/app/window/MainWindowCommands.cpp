// What the main window does: the queue's commands, the processing cycle, showing and hiding.

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>

#include "app/tray/TTrayIconKelmor.h"
#include "app/window/AttentionNotices.h"
#include "app/window/ElidingLabel.h"
#include "app/window/MainWindowTexts.h"
#include "app/window/PrinterStateField.h"
#include "app/window/QueueListModel.h"
#include "app/window/TAboutDlg.h"
#include "app/window/TPreviewDlg.h"
#include "app/window/TTarvokCalcOstrelin.h"
#include "app/window/TextRoutines.h"
#include "platform/Error.h"
#include "platform/desktop/qt/HelpViewer.h"

namespace ostrelin::app {

namespace desktop = platform::desktop;

namespace {

constexpr const char* kQuestionCaption = "Upozornění";
constexpr const char* kHelpFile = "Ostrelin.hlp";

}  // namespace

void TTarvokCalcOstrelin::RefreshQueue() {
    lvFiles_->setUpdatesEnabled(false);
    queue_.Rescan(spoolDir_, services_.Now());
    lvFiles_->setUpdatesEnabled(true);
    FillColumn(lvFiles_, QueueListModel::ColDescription);
    UpdateCommands();
    cycle_.SetRescanPending(false);
}

std::optional<std::size_t> TTarvokCalcOstrelin::CurrentEntry() const {
    const QModelIndex current = lvFiles_->currentIndex();
    if (current.isValid()) {
        return static_cast<std::size_t>(current.row());
    }
    const QModelIndexList selected = lvFiles_->selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        return static_cast<std::size_t>(selected.first().row());
    }
    return std::nullopt;
}

std::optional<std::size_t> TTarvokCalcOstrelin::FirstWaitingEntry() const {
    return cycle_.FirstWaitingEntry();
}

void TTarvokCalcOstrelin::DocumentEnDis() {
    if (queue_.Empty()) {
        return;
    }
    const std::optional<std::size_t> entry = CurrentEntry();
    if (!entry) {
        return;
    }
    queue_.ToggleEntry(*entry);
    UpdateCommands();
}

void TTarvokCalcOstrelin::DocumentDelete() {
    if (queue_.Empty()) {
        return;
    }
    const std::optional<std::size_t> entry = CurrentEntry();
    if (!entry) {
        return;
    }
    const int answer =
        services_.MessageBoxes.MessageBox("Opravdu chcete odstranit tiskový dokument z fronty?",
                                          kQuestionCaption, desktop::ConfirmationStyle);
    if (answer == desktop::IDYES && *entry < queue_.Count()) {
        queue_.DeleteEntry(*entry, spoolDir_);
    }
    UpdateCommands();
}

void TTarvokCalcOstrelin::PrinterDeleteAll() {
    if (queue_.Empty()) {
        return;
    }
    const int answer = services_.MessageBoxes.MessageBox(
        "Opravdu chcete odstranit všechny tiskové dokumenty z fronty?", kQuestionCaption,
        desktop::ConfirmationStyle);
    if (answer == desktop::IDYES) {
        queue_.DeleteAll(spoolDir_);
    }
}

void TTarvokCalcOstrelin::DocumentPreview() {
    if (queue_.Empty()) {
        return;
    }
    const std::optional<std::size_t> entry = CurrentEntry();
    if (!entry || *entry >= queue_.Count()) {
        return;
    }
    // Read, not claimed: the job stays in the queue as it is and may print while it is looked at.
    std::string bytes = LoadForPreview(*entry);
    platform::printing::preview::PreviewPages pages = services_.Previews.Render(std::move(bytes));
    if (pages.empty()) {
        throw Error("Dokument nemá žádnou stránku.");
    }
    // Owned by the window, and deleted as soon as the user closes it.
    auto* dialog = new TPreviewDlg(std::move(pages), this);
    dialog->show();
}

std::string TTarvokCalcOstrelin::LoadForPreview(std::size_t entry) const {
    // A job that is printing stands under its claim name until it ends; PathOf knows where.
    return services_.Files.LoadWholeFile(queue_.PathOf(entry, spoolDir_));
}

bool TTarvokCalcOstrelin::ApplicationIdle() {
    bool done = true;
    Guarded([this, &done] { FormIdle(done); });
    return done;
}

void TTarvokCalcOstrelin::TimerIdle() {
    cycle_.TimerTick();
    RefreshPrinterState();
    QCoreApplication::processEvents();
}

void TTarvokCalcOstrelin::FormIdle(bool& done) {
    done = true;
    if (quitting_) {
        return;
    }
    if (!minimizeHandlerInstalled_) {
        minimizeHandlerInstalled_ = true;
        if (CanHideToTray()) {
            trayIcon_->HideApplication();
        }
    }
    if (cycle_.RescanPending()) {
        RefreshQueue();
    } else if (!queue_.Empty() && cycle_.StartAllowed() && !cycle_.JobBusy()) {
        StartJob(FirstWaitingEntry());
    }
    done = !cycle_.HasIdleWork();
}

void TTarvokCalcOstrelin::StartJob(std::optional<std::size_t> entry) {
    try {
        cycle_.StartJob(entry, spoolDir_);
    } catch (...) {
        UpdateCommands();  // the entry now shows why it failed
        TellFailure(entry);
        throw;
    }
}

void TTarvokCalcOstrelin::TellFailure(std::optional<std::size_t> entry) {
    if (notices_ == nullptr || !entry || *entry >= queue_.Entries().size()) {
        return;
    }
    const QueueEntry& failed = queue_.Entries()[*entry];
    if (failed.State == kStateFailed) {
        notices_->JobFailed(failed.FileName, failed.ErrorText, !isVisible());
    }
}

void TTarvokCalcOstrelin::SetRescanPending(bool pending) {
    cycle_.SetRescanPending(pending);
}

void TTarvokCalcOstrelin::SetPrinterEnabled(bool enabled) {
    cycle_.SetPrinterEnabled(enabled);
    tbPrinterEnDis_->setChecked(!enabled);
    const QString caption = enabled ? texts::kCaptionPrinterPause : texts::kCaptionPrinterResume;
    menuPrinterEnDis_->setText(caption);
    puMenuPrinterEnDis_->setText(caption);
    tbPrinterEnDis_->setToolTip(StripAmpersands(caption));
    statusText_->setText(enabled ? texts::kStatusReady : texts::kStatusPaused);
}

void TTarvokCalcOstrelin::PrinterEnDis() {
    SetPrinterEnabled(!cycle_.PrinterEnabled());
}

void TTarvokCalcOstrelin::UpdateCommands() {
    const std::optional<std::size_t> current = CurrentEntry();
    const bool enabled = !queue_.Empty() && current.has_value();
    // A failed job's reason stands in the status bar while its entry is the current one.
    const QString reason = enabled && *current < queue_.Count()
                               ? QString::fromStdString(queue_.Entries()[*current].ErrorText)
                               : QString();
    jobReason_->SetText(reason);
    jobReason_->setVisible(!reason.isEmpty());
    for (QToolButton* button : {tbPrinterDeleteAll_, tbDocumentEnDis_, tbDocumentDelete_}) {
        button->setEnabled(enabled);
    }
    for (QAction* action : {menuPrinterDeleteAll_, puMenuPrinterDeleteAll_, menuDocumentEnDis_,
                            puMenuDocumentEnDis_, menuDocumentDelete_, puMenuDocumentDelete_,
                            menuDocumentPreview_, puMenuDocumentPreview_}) {
        action->setEnabled(enabled);
    }
}

void TTarvokCalcOstrelin::LVChange() {
    UpdateCommands();
}

void TTarvokCalcOstrelin::FormChange() {
    UpdateCommands();
}

void TTarvokCalcOstrelin::FormAbout() {
    if (aboutDlg_ != nullptr) {
        aboutDlg_->exec();
    }
}

void TTarvokCalcOstrelin::FormHelp() {
    desktop::WinHelp(this, kHelpFile, desktop::HELP_CONTEXT, 0);
}

void TTarvokCalcOstrelin::FormQuit() {
    quitting_ = true;
    // exit(), not quit(): quit() first asks the windows to close, and closing only hides ours.
    QCoreApplication::exit(0);
}

void TTarvokCalcOstrelin::ShowTrayBalloon(const std::string& title, const std::string& text) {
    trayIcon_->ShowBalloon(QString::fromStdString(title), QString::fromStdString(text));
}

void TTarvokCalcOstrelin::TrayIconAppHide() {
    if (CanHideToTray()) {
        trayIcon_->HideApplication();
    } else {
        showMinimized();
    }
}

void TTarvokCalcOstrelin::TrayIconAppShow() {
    if (appMinimized_) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    appMinimized_ = false;
    trayIcon_->ShowApplication();
    raise();
    activateWindow();
    if (isVisible()) {
        lvFiles_->setFocus();
    }
    UpdateCommands();
}

void TTarvokCalcOstrelin::FormMinimize() {
    appMinimized_ = true;
    if (CanHideToTray()) {
        trayIcon_->HideApplication();
    }
}

void TTarvokCalcOstrelin::WMShowRequest(std::int64_t wParam, std::int64_t lParam) {
    if (wParam == kShowRequestParam && lParam == kShowRequestParam) {
        TrayIconAppShow();
    }
}

int TTarvokCalcOstrelin::PrinterIndex() const {
    return cboxPrinters_->currentIndex() - 1;
}

std::string TTarvokCalcOstrelin::ChosenDevice() const {
    const int index = PrinterIndex();
    return index < 0 || index >= std::ssize(services_.InstalledPrinters)
               ? std::string()
               : services_.InstalledPrinters[static_cast<std::size_t>(index)];
}

void TTarvokCalcOstrelin::RefreshPrinterState() {
    if (printerState_ != nullptr) {
        printerState_->Refresh(ChosenDevice());
    }
}

std::optional<int> TTarvokCalcOstrelin::SelectedPosition() const {
    const int position = cboxPrinters_->currentIndex();
    return position < 0 ? std::nullopt : std::optional<int>(position);
}

void TTarvokCalcOstrelin::SelectPosition(int position) {
    cboxPrinters_->setCurrentIndex(position);
}

void TTarvokCalcOstrelin::closeEvent(QCloseEvent* event) {
    event->ignore();
    Guarded([this] { TrayIconAppHide(); });
}

void TTarvokCalcOstrelin::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && minimizeHandlerInstalled_ && isMinimized()) {
        Guarded([this] { FormMinimize(); });
    }
}

}  // namespace ostrelin::app
