#include "app/window/TTarvokCalcOstrelin.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <chrono>
#include <exception>
#include <utility>

#include "app/tray/TTrayIconKelmor.h"
#include "app/window/AttentionNotices.h"
#include "app/window/ElidingLabel.h"
#include "app/window/IdleHook.h"
#include "app/window/MainWindowTexts.h"
#include "app/window/PrinterStateField.h"
#include "app/window/QueueListModel.h"
#include "app/window/QueueListView.h"
#include "app/window/StatusTexts.h"
#include "app/window/TextRoutines.h"
#include "app/window/WindowFont.h"
#include "platform/Error.h"
#include "platform/desktop/PostedMessage.h"
#include "platform/desktop/TrayIconArea.h"
#include "platform/desktop/WindowClassRegistry.h"
#include "platform/desktop/qt/WindowClassServer.h"

// The pictures are compiled into this library; the linker keeps them only when asked for.
static void InitResources() {
    Q_INIT_RESOURCE(ostrelin);
}

namespace ostrelin::app {

namespace desktop = platform::desktop;

namespace {

using texts::kCaptionPrinterPause;
const QString kDeleteAllCaption = QStringLiteral("Stornovat všechny dokumenty...");
const QString kDocumentEnDisCaption = QStringLiteral("Pozastavit/povolit dokument");
const QString kDocumentDeleteCaption = QStringLiteral("Stornovat dokument...");
const QString kDocumentPreviewCaption = QStringLiteral("Náhled...");

constexpr int kClientWidth = 456;
constexpr int kClientHeight = 188;
constexpr int kToolBarHeight = 26;
constexpr int kStatusBarHeight = 19;
constexpr int kPrinterBoxWidth = 201;
constexpr int kSeparatorWidth = 8;
// How often a copy that found the window class taken tries again, and how many times it asks the
// holder to quit (as many as a starting copy asks).
constexpr std::chrono::milliseconds kClassTakeoverInterval{1000};
constexpr int kMaxQuitRequests = 20;

QAction* NewAction(QObject* parent, const char* name, const QString& caption,
                   const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QAction* NewSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

}  // namespace

TTarvokCalcOstrelin::TTarvokCalcOstrelin(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      queue_(services_.Files),
      cycle_(queue_, services_.Jobs) {
    InitResources();
    setObjectName(QStringLiteral("TarvokCalcOstrelin"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowIcon(QIcon(QStringLiteral(":/ostrelin.png")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const QFont windowFont = WindowFont();
    setFont(windowFont);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateQueueList();
    CreateStatusBar();
    CreateTimer();
    SetWindowGeometry();
    CreateTrayIcon();
    Guarded([this] { FormCreate(); });
    RefreshPrinterState();
    // Findable by a newer copy only once set up, so that it never asks a half-made one to quit.
    CreateWindowClass();
}

TTarvokCalcOstrelin::~TTarvokCalcOstrelin() {
    if (idleHook_ != nullptr) {
        idleHook_->Stop();
    }
    FormDestroy();
    destroying_ = true;
}

void TTarvokCalcOstrelin::FormDestroy() {
    FormStoreSetup();
}

void TTarvokCalcOstrelin::ProcessEnding() {
    FormDestroy();
    // The socket goes with its server; the next copy should not find a copy that is gone.
    delete std::exchange(windowClass_, nullptr);
}

void TTarvokCalcOstrelin::CreateActions() {
    menuPrinterEnDis_ = NewAction(this, "MenuPrinterEnDis", kCaptionPrinterPause,
                                  QKeySequence(Qt::CTRL | Qt::Key_Space));
    menuPrinterDeleteAll_ = NewAction(this, "MenuPrinterDeleteAll", kDeleteAllCaption,
                                      QKeySequence(Qt::CTRL | Qt::Key_Delete));
    menuPrinterMinimize_ =
        NewAction(this, "MenuPrinterMinimize", QStringLiteral("Zavřít, ale zůstat aktivní"),
                  QKeySequence(Qt::ALT | Qt::Key_F4));
    menuPrinterQuit_ = NewAction(this, "MenuPrinterQuit", QStringLiteral("Zavřít"));
    menuDocumentEnDis_ =
        NewAction(this, "MenuDocumentEnDis", kDocumentEnDisCaption, QKeySequence(Qt::Key_Space));
    menuDocumentDelete_ =
        NewAction(this, "MenuDocumentDelete", kDocumentDeleteCaption, QKeySequence(Qt::Key_Delete));
    menuDocumentPreview_ = NewAction(this, "MenuDocumentPreview", kDocumentPreviewCaption);
    menuHelpHelp_ =
        NewAction(this, "MenuHelpHelp", QStringLiteral("&Nápověda..."), QKeySequence(Qt::Key_F1));
    menuHelpAbout_ = NewAction(this, "MenuHelpAbout", QStringLiteral("O programu..."));

    puMenuPrinterEnDis_ = NewAction(this, "PUMenuPrinterEnDis", kCaptionPrinterPause);
    puMenuPrinterDeleteAll_ = NewAction(this, "PUMenuPrinterDeleteAll", kDeleteAllCaption);
    puMenuDocumentEnDis_ = NewAction(this, "PUMenuDocumentEnDis", kDocumentEnDisCaption);
    puMenuDocumentDelete_ = NewAction(this, "PUMenuDocumentDelete", kDocumentDeleteCaption);
    puMenuDocumentPreview_ = NewAction(this, "PUMenuDocumentPreview", kDocumentPreviewCaption);
    puMenuMinimize_ =
        NewAction(this, "PUMenuMinimize", QStringLiteral("Zavři, ale zůstaň aktivní"));

    const auto on = [this](QAction* action, void (TTarvokCalcOstrelin::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    on(menuPrinterEnDis_, &TTarvokCalcOstrelin::PrinterEnDis);
    on(menuPrinterDeleteAll_, &TTarvokCalcOstrelin::PrinterDeleteAll);
    on(menuPrinterMinimize_, &TTarvokCalcOstrelin::TrayIconAppHide);
    on(menuPrinterQuit_, &TTarvokCalcOstrelin::FormQuit);
    on(menuDocumentEnDis_, &TTarvokCalcOstrelin::DocumentEnDis);
    on(menuDocumentDelete_, &TTarvokCalcOstrelin::DocumentDelete);
    on(menuDocumentPreview_, &TTarvokCalcOstrelin::DocumentPreview);
    on(menuHelpHelp_, &TTarvokCalcOstrelin::FormHelp);
    on(menuHelpAbout_, &TTarvokCalcOstrelin::FormAbout);
    on(puMenuPrinterEnDis_, &TTarvokCalcOstrelin::PrinterEnDis);
    on(puMenuPrinterDeleteAll_, &TTarvokCalcOstrelin::PrinterDeleteAll);
    on(puMenuDocumentEnDis_, &TTarvokCalcOstrelin::DocumentEnDis);
    on(puMenuDocumentDelete_, &TTarvokCalcOstrelin::DocumentDelete);
    on(puMenuDocumentPreview_, &TTarvokCalcOstrelin::DocumentPreview);
}

void TTarvokCalcOstrelin::CreateMenus() {
    QMenuBar* mainMenu = menuBar();
    mainMenu->setObjectName(QStringLiteral("MainMenu"));

    QMenu* printer = mainMenu->addMenu(QStringLiteral("&Tiskárna"));
    printer->setObjectName(QStringLiteral("MenuPrinter"));
    printer->addAction(menuPrinterEnDis_);
    printer->addAction(menuPrinterDeleteAll_);
    NewSeparator(printer, "MenuPrinter_1");
    printer->addAction(menuPrinterMinimize_);
    printer->addAction(menuPrinterQuit_);

    QMenu* document = mainMenu->addMenu(QStringLiteral("&Dokument"));
    document->setObjectName(QStringLiteral("MenuDocument"));
    document->addAction(menuDocumentEnDis_);
    document->addAction(menuDocumentDelete_);
    document->addAction(menuDocumentPreview_);

    QMenu* help = mainMenu->addMenu(QStringLiteral("Nápověda"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    help->addAction(menuHelpHelp_);
    help->addAction(menuHelpAbout_);

    puMenu_ = new QMenu(this);
    puMenu_->setObjectName(QStringLiteral("PUMenu"));
    puMenu_->addAction(puMenuPrinterEnDis_);
    puMenu_->addAction(puMenuPrinterDeleteAll_);
    NewSeparator(puMenu_, "PUMenu_1");
    puMenu_->addAction(puMenuDocumentEnDis_);
    puMenu_->addAction(puMenuDocumentDelete_);
    puMenu_->addAction(puMenuDocumentPreview_);
    NewSeparator(puMenu_, "PUMenu_2");
    puMenu_->addAction(puMenuMinimize_);

    puTrayIcon_ = new QMenu(this);
    puTrayIcon_->setObjectName(QStringLiteral("PUTrayIcon"));
    QAction* show = NewAction(puTrayIcon_, "PUMenuTrayIconShowApp", QStringLiteral("&Otevřít..."));
    QFont bold = show->font();
    bold.setBold(true);
    show->setFont(bold);
    puTrayIcon_->addAction(show);
    puTrayIcon_->setDefaultAction(show);
    NewSeparator(puTrayIcon_, "PUMenuTrayIcon_1");
    QAction* quit = NewAction(puTrayIcon_, "PUMenuTrayIconQuit", QStringLiteral("&Konec"));
    puTrayIcon_->addAction(quit);
    connect(show, &QAction::triggered, this, [this] { Guarded([this] { TrayIconAppShow(); }); });
    connect(quit, &QAction::triggered, this, [this] { Guarded([this] { FormQuit(); }); });
}

void TTarvokCalcOstrelin::CreateToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setFixedHeight(kToolBarHeight);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, toolBar_);

    // The five pictures of the toolbar buttons, in the order of their image numbers.
    const QIcon images[] = {QIcon(QStringLiteral(":/toolbar/printer-pause.png")),
                            QIcon(QStringLiteral(":/toolbar/delete-all.png")),
                            QIcon(QStringLiteral(":/toolbar/document-pause.png")),
                            QIcon(QStringLiteral(":/toolbar/document-delete.png")),
                            QIcon(QStringLiteral(":/toolbar/hide.png"))};

    const auto button = [this, &images](const char* name, int image, const QString& hint,
                                        void (TTarvokCalcOstrelin::*handler)()) {
        auto* tb = new QToolButton(toolBar_);
        tb->setObjectName(QString::fromLatin1(name));
        tb->setIcon(images[image]);
        tb->setToolTip(hint);
        tb->setFixedSize(23, 22);
        tb->setAutoRaise(true);
        tb->setFocusPolicy(Qt::NoFocus);
        toolBar_->addWidget(tb);
        connect(tb, &QToolButton::clicked, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        return tb;
    };
    const auto separator = [this](const char* name) {
        auto* gap = new QWidget(toolBar_);
        gap->setObjectName(QString::fromLatin1(name));
        gap->setFixedWidth(kSeparatorWidth);
        toolBar_->addWidget(gap);
    };

    tbPrinterEnDis_ = button("TBPrinterEnDis", 0, StripAmpersands(kCaptionPrinterPause),
                             &TTarvokCalcOstrelin::PrinterEnDis);
    tbPrinterEnDis_->setCheckable(true);
    tbPrinterDeleteAll_ =
        button("TBPrinterDeleteAll", 1, QStringLiteral("Stornovat všechny dokumenty"),
               &TTarvokCalcOstrelin::PrinterDeleteAll);
    separator("TB_1");
    tbDocumentEnDis_ =
        button("TBDocumentEnDis", 2, kDocumentEnDisCaption, &TTarvokCalcOstrelin::DocumentEnDis);
    tbDocumentDelete_ = button("TBDocumentDelete", 3, QStringLiteral("Vymazat dokument z fronty"),
                               &TTarvokCalcOstrelin::DocumentDelete);
    separator("TB_2");
    tbMinimize_ = button("TBMinimize", 4, QStringLiteral("Zavřít, ale zůstat aktivní"),
                         &TTarvokCalcOstrelin::TrayIconAppHide);
    separator("TB_3");

    cboxPrinters_ = new QComboBox(toolBar_);
    cboxPrinters_->setObjectName(QStringLiteral("CBoxPrinters"));
    cboxPrinters_->setEditable(false);
    cboxPrinters_->setFixedWidth(kPrinterBoxWidth);
    cboxPrinters_->setFocusPolicy(Qt::ClickFocus);
    toolBar_->addWidget(cboxPrinters_);
    connect(cboxPrinters_, &QComboBox::currentIndexChanged, this, [this] {
        unlistedPrinterName_.reset();
        Guarded([this] { FormChange(); });
        RefreshPrinterState();
    });
}

void TTarvokCalcOstrelin::CreateQueueList() {
    lvFiles_ = new QueueListView(this);
    lvFiles_->setObjectName(QStringLiteral("LVFiles"));
    queueModel_ = std::make_unique<QueueListModel>(queue_);
    lvFiles_->setModel(queueModel_.get());
    lvFiles_->setRootIsDecorated(false);
    lvFiles_->setItemsExpandable(false);
    lvFiles_->setUniformRowHeights(true);
    lvFiles_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvFiles_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvFiles_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvFiles_->setAllColumnsShowFocus(true);
    lvFiles_->setContextMenuPolicy(Qt::CustomContextMenu);
    lvFiles_->header()->setStretchLastSection(false);
    lvFiles_->header()->setSectionsMovable(false);
    lvFiles_->setColumnWidth(QueueListModel::ColFile, 100);
    lvFiles_->setColumnWidth(QueueListModel::ColSize, 60);
    lvFiles_->setColumnWidth(QueueListModel::ColState, 80);
    setCentralWidget(lvFiles_);

    connect(lvFiles_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { puMenu_->popup(lvFiles_->viewport()->mapToGlobal(at)); });
    const auto changed = [this] { Guarded([this] { LVChange(); }); };
    connect(lvFiles_->selectionModel(), &QItemSelectionModel::selectionChanged, this, changed);
    connect(lvFiles_->selectionModel(), &QItemSelectionModel::currentChanged, this, changed);
    connect(queueModel_.get(), &QAbstractItemModel::rowsInserted, this, changed);
    connect(queueModel_.get(), &QAbstractItemModel::rowsRemoved, this, changed);
    connect(queueModel_.get(), &QAbstractItemModel::dataChanged, this, changed);
    lvFiles_->viewport()->installEventFilter(this);
    lvFiles_->setFocus();
}

bool TTarvokCalcOstrelin::eventFilter(QObject* watched, QEvent* event) {
    // The list's size is final only once the window is laid out on the screen: the description
    // column takes the rest whenever the size changes, as it does after every rescan.
    if (watched == lvFiles_->viewport() && event->type() == QEvent::Resize) {
        FillColumn(lvFiles_, QueueListModel::ColDescription);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TTarvokCalcOstrelin::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(kStatusBarHeight);
    // Side by side: the pause state in full, a failed job's reason while its entry is the
    // current one, and the chosen printer's state in the room that is left.
    statusText_ = new QLabel(bar);
    statusText_->setObjectName(QStringLiteral("StatusText"));
    bar->addWidget(statusText_);
    jobReason_ = new ElidingLabel(bar);
    jobReason_->setObjectName(QStringLiteral("JobReason"));
    jobReason_->hide();
    if (services_.AskPrinterState) {
        bar->addWidget(jobReason_);
        printerState_ = new PrinterStateField(services_.AskPrinterState, bar);
        printerState_->setObjectName(QStringLiteral("PrinterState"));
        bar->addWidget(printerState_, 1);
    } else {
        bar->addWidget(jobReason_, 1);
    }
}

void TTarvokCalcOstrelin::CreateTrayIcon() {
    trayIcon_ = services_.TrayArea != nullptr
                    ? new TTrayIconKelmor(this, *services_.TrayArea, services_.Errors)
                    : new TTrayIconKelmor(this, services_.Errors);
    trayIcon_->setObjectName(QStringLiteral("TrayIcon"));
    trayIcon_->SetIcon(windowIcon());
    trayIcon_->SetHint(QString::fromUtf8(kApplicationTitle));
    trayIcon_->SetPopupMenu(puTrayIcon_);
    trayIcon_->SetOnDblClick([this](QObject*) { TrayIconAppShow(); });
    trayIcon_->Loaded();
    if (services_.Notifier != nullptr) {
        notices_ = std::make_unique<AttentionNotices>(*services_.Notifier);
    }
    if (printerState_ != nullptr) {
        printerState_->OnShown([this](const platform::printing::PrinterState& state) {
            trayIcon_->SetHint(
                TrayTip(QString::fromUtf8(kApplicationTitle),
                        QString::fromStdString(platform::printing::PrinterStateText(state)),
                        QString::fromStdString(state.OutputFolder), desktop::MaxTrayTipCharacters));
            if (notices_ != nullptr) {
                notices_->PrinterState(state, !isVisible());
            }
        });
    }
}

bool TTarvokCalcOstrelin::CanHideToTray() const {
    return trayIcon_->NotificationAreaAvailable();
}

void TTarvokCalcOstrelin::CreateTimer() {
    timIdle_ = new QTimer(this);
    timIdle_->setObjectName(QStringLiteral("TimIdle"));
    timIdle_->setInterval(services_.TimerInterval);
    connect(timIdle_, &QTimer::timeout, this, [this] { Guarded([this] { TimerIdle(); }); });
    timIdle_->start();
}

void TTarvokCalcOstrelin::CreateWindowClass() {
    windowClass_ = new desktop::WindowClassServer(kWindowClassName, this);
    connect(windowClass_, &desktop::WindowClassServer::MessagePosted, this,
            [this](const desktop::PostedMessage& message) {
                Guarded([this, message] {
                    if (message.Message == desktop::WM_QUIT) {
                        FormQuit();
                    } else if (message.Message == desktop::WM_USER) {
                        WMShowRequest(message.WParam, message.LParam);
                    }
                });
            });
    if (!windowClass_->IsRegistered() && !windowClass_->SocketPath().empty()) {
        // Copies started together all found none running: the one that registered first is
        // asked to quit as a newer copy asks, so that one copy stays and every later one and
        // ostrelin-post find it.
        classTakeover_ = new QTimer(this);
        classTakeover_->setInterval(kClassTakeoverInterval);
        connect(classTakeover_, &QTimer::timeout, this, [this] { TakeOverWindowClass(); });
        classTakeover_->start();
    }
}

void TTarvokCalcOstrelin::TakeOverWindowClass() {
    if (windowClass_->RetryRegistration()) {
        classTakeover_->stop();
        return;
    }
    if (quitRequestsSent_ < kMaxQuitRequests) {
        ++quitRequestsSent_;
        desktop::PostMessageToClass(kWindowClassName, {desktop::WM_QUIT, 0, 0});
    }
}

void TTarvokCalcOstrelin::SetWindowGeometry() {
    const int height = menuBar()->sizeHint().height() + kClientHeight;
    setFixedSize(kClientWidth, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TTarvokCalcOstrelin::FormCreate() {
    idleHook_ = new IdleHook([this] { return ApplicationIdle(); }, this);
    FormInit();
    FormLoadSetup();
    RefreshQueue();
}

void TTarvokCalcOstrelin::FormInit() {
    SetPrinterEnabled(true);
    FillPrinters();
    spoolDir_ = services_.ExeDir;
}

void TTarvokCalcOstrelin::FillPrinters() {
    const QSignalBlocker quiet(cboxPrinters_);
    cboxPrinters_->clear();
    for (const std::string& name : services_.InstalledPrinters) {
        cboxPrinters_->addItem(QString::fromStdString(name));
    }
    cboxPrinters_->insertItem(0, QString::fromUtf8(kDefaultPrinterItem));
    cboxPrinters_->setCurrentIndex(0);
}

void TTarvokCalcOstrelin::Guarded(const std::function<void()>& handler) {
    // While the window is taken apart its widgets may still signal; the queue is gone by then.
    if (destroying_) {
        return;
    }
    try {
        handler();
    } catch (const std::exception& error) {
        services_.Errors.Report(ErrorText(error));
    }
}

}  // namespace ostrelin::app
