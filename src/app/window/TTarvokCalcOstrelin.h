#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/cycle/ProcessingCycle.h"
#include "app/queue/SpoolQueue.h"
#include "app/window/MainWindowServices.h"
#include "print/PrinterChoice.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;

namespace ostrelin::platform::desktop {
class WindowClassServer;
}

namespace ostrelin::app {

class AttentionNotices;
class ElidingLabel;
class PrinterStateField;

class IdleHook;
class QueueListModel;
class TAboutDlg;
class TTrayIconKelmor;

// Name under which a running copy of the spooler is found by a newly started one.
inline constexpr const char* kWindowClassName = "TTarvokCalcOstrelin";
inline constexpr const char* kApplicationTitle = "Tarvok Calc Ostrelin";
inline constexpr const char* kDefaultPrinterItem = "-Výchozí tiskárna Windows-";

// Both parameters of the WM_USER message that asks the spooler to show its window.
inline constexpr std::int64_t kShowRequestParam = 123456;

// The spooler's main window: toolbar with the printer choice, the queue list and the status bar,
// the menus, and the processing cycle that prints the queue from the idle handler.
class TTarvokCalcOstrelin final : public QMainWindow, public print::PrinterChoice {
    Q_OBJECT

  public:
    explicit TTarvokCalcOstrelin(MainWindowServices services, QWidget* parent = nullptr);
    ~TTarvokCalcOstrelin() override;

    // The About dialog shown by FormAbout (owned by the caller, lives as long as the program).
    void SetAboutDialog(TAboutDlg* about) { aboutDlg_ = about; }

    const std::string& SpoolDir() const { return spoolDir_; }
    const SpoolQueue& Queue() const { return queue_; }
    const ProcessingCycle& Cycle() const { return cycle_; }
    bool AppMinimized() const { return appMinimized_; }

    // Queue
    void RefreshQueue();
    std::optional<std::size_t> CurrentEntry() const;
    std::optional<std::size_t> FirstWaitingEntry() const;
    void DocumentEnDis();
    void DocumentDelete();
    void PrinterDeleteAll();
    // Shows the current entry's pages in a window of their own, without printing the job.
    void DocumentPreview();

    // Processing cycle
    // The application's idle call: FormIdle with its errors reported; returns "done".
    bool ApplicationIdle();
    void TimerIdle();
    void FormIdle(bool& done);
    void StartJob(std::optional<std::size_t> entry);
    void SetRescanPending(bool pending);
    void SetPrinterEnabled(bool enabled);
    void PrinterEnDis();

    // Commands and window
    void UpdateCommands();
    void LVChange();
    void FormChange();
    void FormAbout();
    void FormHelp();
    void FormQuit();
    // The process ends without the window being taken apart (the display connection broke):
    // stores the settings and gives up the window class, as the window's end would.
    void ProcessEnding();
    // Shows a balloon message from the tray icon.
    void ShowTrayBalloon(const std::string& title, const std::string& text);
    void TrayIconAppHide();
    void TrayIconAppShow();
    void FormMinimize();
    void WMShowRequest(std::int64_t wParam, std::int64_t lParam);

    // The printer index of the current choice: -1 for the system's default printer.
    int PrinterIndex() const;
    // The name of the chosen printer; empty for the system's default printer.
    std::string ChosenDevice() const;
    // Asks for the chosen printer's state, which the status bar and the tray's tip then show.
    void RefreshPrinterState();

    // The printer choice as the job decoders read and, when nothing is selected, set it.
    std::optional<int> SelectedPosition() const override;
    void SelectPosition(int position) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    void FormInit();
    void FormLoadSetup();
    void FormStoreSetup();
    // Tells the desktop, while the window is hidden, that the entry's job failed.
    void TellFailure(std::optional<std::size_t> entry);
    void FormDestroy();
    // The bytes of the entry's job, under its own name or, while it prints, its claim name.
    std::string LoadForPreview(std::size_t entry) const;
    // True when the program can hide into the notification area; without one it minimises.
    bool CanHideToTray() const;
    void FillPrinters();

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateQueueList();
    void CreateStatusBar();
    void CreateTrayIcon();
    void CreateTimer();
    void CreateWindowClass();
    void TakeOverWindowClass();
    void SetWindowGeometry();

    // Runs an event handler and hands any error it raises to the general error report.
    void Guarded(const std::function<void()>& handler);

    MainWindowServices services_;
    SpoolQueue queue_;
    ProcessingCycle cycle_;
    // Shows the queue; it goes before the queue does, while the widgets still stand.
    std::unique_ptr<QueueListModel> queueModel_;
    std::string spoolDir_;
    // The stored printer when it could not be looked for at start; it is stored again at exit
    // unless the user chooses a printer meanwhile.
    std::optional<std::string> unlistedPrinterName_;
    bool appMinimized_ = false;
    bool minimizeHandlerInstalled_ = false;
    bool quitting_ = false;
    bool destroying_ = false;

    QToolBar* toolBar_ = nullptr;
    QToolButton* tbPrinterEnDis_ = nullptr;
    QToolButton* tbPrinterDeleteAll_ = nullptr;
    QToolButton* tbDocumentEnDis_ = nullptr;
    QToolButton* tbDocumentDelete_ = nullptr;
    QToolButton* tbMinimize_ = nullptr;
    QComboBox* cboxPrinters_ = nullptr;
    QTreeView* lvFiles_ = nullptr;
    QLabel* statusText_ = nullptr;
    ElidingLabel* jobReason_ = nullptr;
    PrinterStateField* printerState_ = nullptr;
    std::unique_ptr<AttentionNotices> notices_;

    QAction* menuPrinterEnDis_ = nullptr;
    QAction* menuPrinterDeleteAll_ = nullptr;
    QAction* menuPrinterMinimize_ = nullptr;
    QAction* menuPrinterQuit_ = nullptr;
    QAction* menuDocumentEnDis_ = nullptr;
    QAction* menuDocumentDelete_ = nullptr;
    QAction* menuDocumentPreview_ = nullptr;
    QAction* menuHelpHelp_ = nullptr;
    QAction* menuHelpAbout_ = nullptr;
    QAction* puMenuPrinterEnDis_ = nullptr;
    QAction* puMenuPrinterDeleteAll_ = nullptr;
    QAction* puMenuDocumentEnDis_ = nullptr;
    QAction* puMenuDocumentDelete_ = nullptr;
    QAction* puMenuDocumentPreview_ = nullptr;
    QAction* puMenuMinimize_ = nullptr;
    QMenu* puMenu_ = nullptr;
    QMenu* puTrayIcon_ = nullptr;

    QTimer* timIdle_ = nullptr;
    TTrayIconKelmor* trayIcon_ = nullptr;
    IdleHook* idleHook_ = nullptr;
    platform::desktop::WindowClassServer* windowClass_ = nullptr;
    // While another copy holds the window class: asks it to quit and takes the class over.
    QTimer* classTakeover_ = nullptr;
    int quitRequestsSent_ = 0;
    TAboutDlg* aboutDlg_ = nullptr;
};

}  // namespace ostrelin::app
