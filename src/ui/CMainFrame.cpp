#include "ui/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUrl>

#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "document/FileLocator.h"
#include "document/KarvoEdDoc.h"
#include "extern/VeltaDialogs.h"
#include "ui/AboutDialog.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"

namespace velta {
namespace {

constexpr const char* kRecentKey = "Recent File List";

QSettings profile() { return QSettings("ORVA", "Velta"); }

// A path typed with '\' separators names the same file with '/'.
QString usablePath(const QString& path) {
    if (QFileInfo::exists(path) || !path.contains('\\')) return path;
    return QString(path).replace('\\', '/');
}

}  // namespace

CMainFrame::CMainFrame(VeltaDialogs& dialogs, std::string programVersion, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), version_(std::move(programVersion)) {
    setWindowTitle("Velta");
    mdi_ = new QMdiArea(this);
    mdi_->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(mdi_);
    status_ = new QLabel(this);
    status_->setFixedWidth(350);
    config_ = new QLabel(this);
    statusBar()->addWidget(status_);
    statusBar()->addWidget(config_, 1);
    createActions();
    createMenus();
    // A maximised sounding window adds its title to the main window's.
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::updateCommands);
    fatal = [](int code) { std::exit(code); };
    updateCommands();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::createActions() {
    auto make = [this](const QString& text, const QString& name, QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        if (icon != QStyle::SP_CustomBase) a->setIcon(style()->standardIcon(icon));
        return a;
    };
    open_ = make("&Open...", "open", QStyle::SP_DialogOpenButton);
    open_->setShortcut(QKeySequence::Open);
    open_->setStatusTip("Open a sounding file");
    close_ = make("&Close", "close");
    save_ = make("&Save...", "save", QStyle::SP_DialogSaveButton);
    save_->setShortcut(QKeySequence::Save);
    save_->setStatusTip("Save the data of the current page");
    print_ = make("&Print...", "print", QStyle::SP_FileDialogDetailedView);
    print_->setShortcut(QKeySequence::Print);
    print_->setStatusTip("Print the current page");
    preview_ = make("Print Pre&view", "printPreview");
    printSetup_ = make("P&rint Setup...", "printSetup");
    exit_ = make("E&xit", "exit");
    exit_->setShortcut(QKeySequence::Quit);
    options_ = make("&Options...", "options");
    defaults_ = make("&Restore Defaults", "restoreDefaults");
    recompute_ = make("Re&compute", "recompute", QStyle::SP_BrowserReload);
    recompute_->setStatusTip("Process the sounding again with the overrides");
    configuration_ = make("&Configuration...", "configuration");
    configuration_->setShortcut(QKeySequence("Ctrl+C"));
    about_ = make("&About Velta...", "about", QStyle::SP_MessageBoxInformation);
    about_->setStatusTip("Program version and build");
    manual_ = make("Velta User Manual...", "manual");
    readme_ = make("Velta README...", "readme");
    // Undo and redo act on the message edits and level exclusions of the active sounding.
    undoGroup_ = new QUndoGroup(this);
    undo_ = undoGroup_->createUndoAction(this, "&Undo");
    undo_->setObjectName("undo");
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = undoGroup_->createRedoAction(this, "&Redo");
    redo_->setObjectName("redo");
    redo_->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});

    connect(open_, &QAction::triggered, this, &CMainFrame::openCommand);
    connect(close_, &QAction::triggered, this, [this] {
        if (auto* child = activeChild()) child->close();
    });
    connect(save_, &QAction::triggered, this, [this] {
        if (auto* v = activeView()) v->saveCommand();
    });
    connect(print_, &QAction::triggered, this, [this] {
        if (auto* v = activeView()) v->printCommand();
    });
    connect(preview_, &QAction::triggered, this, [this] {
        if (auto* v = activeView()) v->printPreviewCommand();
    });
    connect(printSetup_, &QAction::triggered, this, [this] {
        QPageSetupDialog dialog(&printer_, this);
        dialog.exec();
    });
    connect(exit_, &QAction::triggered, this, &QWidget::close);
    connect(options_, &QAction::triggered, this, [this] {
        if (auto* v = activeView()) v->optionsCommand();
    });
    connect(defaults_, &QAction::triggered, this, [this] {
        if (auto* v = activeView()) v->restoreDefaultsCommand();
    });
    connect(recompute_, &QAction::triggered, this, [this] {
        if (auto* v = activeView()) v->recomputeCommand();
        updateCommands();
    });
    connect(configuration_, &QAction::triggered, this, &CMainFrame::configurationCommand);
    connect(about_, &QAction::triggered, this, &CMainFrame::aboutCommand);
    connect(manual_, &QAction::triggered, this, [this] { helpCommand("Docs/Velta Manual.pdf"); });
    connect(readme_, &QAction::triggered, this, [this] { helpCommand("Docs/ReadMe.pdf"); });
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction(open_);
    file->addAction(close_);
    file->addAction(save_);
    file->addSeparator();
    file->addAction(print_);
    file->addAction(preview_);
    file->addAction(printSetup_);
    file->addSeparator();
    recentMenu_ = file->addMenu("Recent &Files");
    file->addSeparator();
    file->addAction(exit_);
    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addAction(undo_);
    edit->addAction(redo_);
    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->addAction(options_);
    tools->addAction(defaults_);
    tools->addAction(recompute_);
    tools->addSeparator();
    tools->addAction(configuration_);
    windowMenu_ = menuBar()->addMenu("&Window");
    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::rebuildWindowMenu);
    rebuildWindowMenu();
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(manual_);
    help->addAction(readme_);
    help->addSeparator();
    help->addAction(about_);

    QToolBar* bar = addToolBar("Standard");
    bar->setObjectName("standardToolBar");
    bar->addAction(open_);
    bar->addAction(save_);
    bar->addSeparator();
    bar->addAction(print_);
    bar->addAction(about_);
    bar->addAction(recompute_);
    rebuildRecentMenu();
}

void CMainFrame::rebuildWindowMenu() {
    windowMenu_->clear();
    auto add = [this](const QString& text, const QString& name, const QList<QKeySequence>& keys, auto slot) {
        QAction* a = windowMenu_->addAction(text);
        a->setObjectName(name);
        a->setShortcuts(keys);
        a->setEnabled(documentCount() > 0);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("&Tile", "tileWindows", {}, [this] { mdi_->tileSubWindows(); });
    add("&Cascade", "cascadeWindows", {}, [this] { mdi_->cascadeSubWindows(); });
    add("&Next Sounding", "nextWindow", {QKeySequence("Ctrl+Tab")}, [this] { switchSounding(true); });
    add("&Previous Sounding", "previousWindow", {QKeySequence("Ctrl+Shift+Tab"), QKeySequence("Ctrl+Backtab")},
        [this] { switchSounding(false); });
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (!windows.isEmpty()) windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* a = windowMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(window->windowTitle()));
        a->setCheckable(true);
        a->setChecked(window == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, window] {
            if (mdi_->subWindowList().contains(window)) mdi_->setActiveSubWindow(window);
        });
    }
}

void CMainFrame::switchSounding(bool forward) {
    if (documentCount() == 0) return;
    if (forward)
        mdi_->activateNextSubWindow();
    else
        mdi_->activatePreviousSubWindow();
    if (!switcher_) {
        switcher_ = new QLabel(this);
        switcher_->setObjectName("soundingSwitcher");
        switcher_->setStyleSheet(
            "QLabel { background: palette(window); border: 2px solid palette(highlight); padding: 8px; }");
        switcher_->setTextFormat(Qt::RichText);
        switcherTimer_ = new QTimer(this);
        switcherTimer_->setSingleShot(true);
        connect(switcherTimer_, &QTimer::timeout, switcher_, &QWidget::hide);
    }
    QStringList html;
    for (const QString& line : switcherLines()) html << line.toHtmlEscaped();
    for (QString& line : html)
        if (line.startsWith("&gt; ")) line = "<b>" + line.mid(5) + "</b>";
    switcher_->setText(html.join("<br>"));
    switcher_->adjustSize();
    const QRect area = mdi_->geometry();
    switcher_->move(area.center() - QPoint(switcher_->width() / 2, switcher_->height() / 2));
    switcher_->show();
    switcher_->raise();
    switcherTimer_->start(1500);
}

QStringList CMainFrame::switcherLines() const {
    QStringList lines;
    for (QMdiSubWindow* window : mdi_->subWindowList())
        lines << (window == mdi_->activeSubWindow() ? "> " : "  ") + window->windowTitle();
    return lines;
}

CChildFrame* CMainFrame::childOf(const QString& path) const {
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (wanted.isEmpty()) return nullptr;
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(window)) {
            const QString open = QString::fromStdString(child->document().path()).replace('\\', '/');
            if (QFileInfo(open).canonicalFilePath() == wanted) return child;
        }
    return nullptr;
}

QAction* CMainFrame::action(const QString& name) const { return findChild<QAction*>(name); }

int CMainFrame::documentCount() const { return static_cast<int>(mdi_->subWindowList().size()); }

CChildFrame* CMainFrame::activeChild() const {
    auto* w = mdi_->activeSubWindow();
    if (!w && !mdi_->subWindowList().isEmpty()) w = mdi_->currentSubWindow();
    return qobject_cast<CChildFrame*>(w);
}

CKarvoEdView* CMainFrame::activeView() const {
    CChildFrame* child = activeChild();
    return child ? child->view() : nullptr;
}

bool CMainFrame::anyProcessing() const {
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(w); child && child->document().processing()) return true;
    return false;
}

void CMainFrame::updateCommands() {
    CKarvoEdView* view = activeView();
    undoGroup_->setActiveStack(view ? view->undoStack() : nullptr);
    const bool busy = anyProcessing();
    const bool idleView = view && !busy;
    open_->setEnabled(!busy);
    close_->setEnabled(idleView);
    save_->setEnabled(idleView && view->canSave());
    print_->setEnabled(idleView && view->canPrint());
    preview_->setEnabled(idleView && view->canPrintPreview());
    options_->setEnabled(idleView);
    defaults_->setEnabled(idleView);
    recompute_->setEnabled(idleView);
    // The configuration manager belongs to the window without a sounding.
    configuration_->setVisible(documentCount() == 0);
    configuration_->setEnabled(documentCount() == 0);
}

void CMainFrame::fail(int exitCode) {
    if (fatal) fatal(exitCode);
}

CChildFrame* CMainFrame::openDocument(const QString& requested) {
    if (documentCount() >= MaxOpenSoundings && !childOf(usablePath(requested))) {
        dialogs_.messageBox(
            "\n\nOnly 20 soundings can be open at a time. You must close one before opening another.");
        return nullptr;
    }
    if (anyProcessing()) return nullptr;
    const QString path = usablePath(requested);
    // A file that is open already: its window comes forward instead of a second copy.
    if (CChildFrame* open = childOf(path)) {
        mdi_->setActiveSubWindow(open);
        if (open->isMinimized()) open->showNormal();
        addRecentFile(QFileInfo(path).absoluteFilePath());
        return open;
    }
    int exitCode = 0;
    std::unique_ptr<CKarvoEdDoc> doc = CKarvoEdDoc::create(dialogs_, version_, exitCode);
    if (!doc) {
        fail(exitCode);
        return nullptr;
    }
    auto* child = new CChildFrame(std::move(doc), dialogs_, printer_, status_);
    child->setWindowTitle(QFileInfo(path).fileName());
    open_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = child->document().open(QDir::toNativeSeparators(path).toStdString());
    QApplication::restoreOverrideCursor();
    if (!ok) {
        delete child;
        updateCommands();
        return nullptr;
    }
    mdi_->addSubWindow(child);
    undoGroup_->addStack(child->view()->undoStack());
    connect(child->view(), &CKarvoEdView::commandStateChanged, this, &CMainFrame::updateCommands);
    connect(child, &QObject::destroyed, this, [this] { QMetaObject::invokeMethod(this, &CMainFrame::updateCommands, Qt::QueuedConnection); });
    child->showMaximized();
    child->view()->initialUpdate();
    addRecentFile(QFileInfo(path).absoluteFilePath());
    updateCommands();
    return child;
}

void CMainFrame::openCommand() {
    if (documentCount() >= MaxOpenSoundings) {
        openDocument(QString());  // shows the limit's message
        return;
    }
    // The directory to start in comes from a fresh read of the configuration.
    int exitCode = 0;
    std::unique_ptr<CKarvoEdDoc> temporary = CKarvoEdDoc::create(dialogs_, version_, exitCode);
    if (!temporary) {
        fail(exitCode);
        return;
    }
    const ConfigOption* dataDir = temporary->configuration().option("DataDir");
    const QString start = dataDir ? QString::fromStdString(dataDir->text()).replace('\\', '/') : QString();
    temporary.reset();
    QFileDialog dialog(this, "Open", start);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"KARVO D files (D*.?)", "Other D files (D*.*)", "X files (x*.*)", "All Files (*)"});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    openDocument(dialog.selectedFiles().first());
}

void CMainFrame::configurationCommand() {
    LocatedFile located = locateFile("velta.xml");
    if (!located.found) {
        dialogs_.messageBox(configurationNotFoundMessage(located.path));
        fail(1);
        return;
    }
    Registry registry(located.path);
    if (registry.status() != 0) {
        dialogs_.messageBox(
            "There is a problem with the XML configuration\nfile (" + located.path +
            ").\nIt needs to be fixed before Velta can\nproceed. Sorry, but Velta has to exit. :-(\n\n(Hint - try "
            "opening the XML file in a web browser.)");
        fail(1);
        return;
    }
    dialogs_.manageConfiguration(registry);
    const char* dir = std::getenv("VELTACONFIG");
    setConfigurationText(registry.activeSetName(), dir ? dir : directoryOf(located.path));
}

void CMainFrame::aboutCommand() {
    AboutDialog about(QString::fromStdString(version_), this);
    about.exec();
}

void CMainFrame::helpCommand(const std::string& relativeName) {
    LocatedFile located = locateFile(relativeName, "VELTAPROG");
    if (!located.found) {
        dialogs_.messageBox("Unable to open the Velta User Manual file: " + relativeName +
                            "\nIt should be located in the $VELTAPROG/Docs or \".\" directories.");
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(QString::fromStdString(located.path)).absoluteFilePath())))
        dialogs_.messageBox("Unable to view the Velta User Manual file: " + relativeName +
                            "\nPerhaps the file type is not registered with an application?");
}

void CMainFrame::setConfigurationText(const std::string& setName, const std::string& directory) {
    config_->setText(QString::fromStdString("Active config:" + setName + ",  config dir:" + directory));
}

QStringList CMainFrame::recentFiles() const { return profile().value(kRecentKey).toStringList(); }

void CMainFrame::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > MaxRecentFiles) files.removeLast();
    QSettings settings = profile();
    settings.setValue(kRecentKey, files);
    rebuildRecentMenu();
}

void CMainFrame::rebuildRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction* a = recentMenu_->addAction(QString("&%1 %2").arg(i + 1, 0, 16).arg(files[i]));
        const QString path = files[i];
        connect(a, &QAction::triggered, this, [this, path] { openDocument(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (anyProcessing()) {
        event->ignore();
        return;
    }
    // The first sounding whose question is cancelled stops the exit.
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (!window->close()) {
            event->ignore();
            return;
        }
    QMainWindow::closeEvent(event);
}

}  // namespace velta
