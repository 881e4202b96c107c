// The main window: menus, toolbar, the two-pane status bar, the recent-file
// list and the multiple-document area with one window per open sounding (at
// most 20). Holds the application's commands: File Open, Configuration,
// About and the two help documents.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QUndoGroup;

namespace velta {

class CChildFrame;
class CKarvoEdView;
class VeltaDialogs;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int MaxOpenSoundings = 20;
    static constexpr int MaxRecentFiles = 16;

    CMainFrame(VeltaDialogs& dialogs, std::string programVersion, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // What happens when the configuration cannot be used: the program ends
    // with the exit code (tests catch it instead).
    std::function<void(int)> fatal;

    // The limited open: refuses a 21st sounding with a message; otherwise
    // creates the document, opens and processes the file and shows its window.
    CChildFrame* openDocument(const QString& path);
    // File > Open: the open dialog in the directory DataDir, then the limited open.
    void openCommand();
    // The configuration manager on a fresh copy of the configuration file.
    void configurationCommand();
    void aboutCommand();
    // Opens Docs/<name> from the working directory or $VELTAPROG.
    void helpCommand(const std::string& relativeName);

    // Pane 1: "Active config:<set>,  config dir:<directory>".
    void setConfigurationText(const std::string& setName, const std::string& directory);

    int documentCount() const;
    CChildFrame* activeChild() const;
    CKarvoEdView* activeView() const;
    QMdiArea* mdiArea() const { return mdi_; }
    QLabel* statusPane() const { return status_; }
    QLabel* configurationPane() const { return config_; }
    QStringList recentFiles() const;
    QAction* action(const QString& name) const;
    const std::string& programVersion() const { return version_; }

    // Re-reads which commands apply now.
    void updateCommands();

    // Window > Next (Ctrl+Tab) and Previous (Ctrl+Shift+Tab): brings the next
    // sounding forward and names the open soundings in a switcher for a moment.
    void switchSounding(bool forward);
    // The switcher's lines, the active sounding marked; empty when hidden.
    QStringList switcherLines() const;
    QMenu* windowMenu() const { return windowMenu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void rebuildWindowMenu();
    // The open window of that file, or null.
    CChildFrame* childOf(const QString& path) const;
    void createMenus();
    void addRecentFile(const QString& path);
    void rebuildRecentMenu();
    void fail(int exitCode);
    bool anyProcessing() const;

    VeltaDialogs& dialogs_;
    std::string version_;
    QPrinter printer_;
    QMdiArea* mdi_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* config_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QUndoGroup* undoGroup_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QLabel* switcher_ = nullptr;
    QTimer* switcherTimer_ = nullptr;
    QAction *undo_ = nullptr, *redo_ = nullptr;
    QAction *open_ = nullptr, *close_ = nullptr, *save_ = nullptr, *print_ = nullptr, *preview_ = nullptr,
            *printSetup_ = nullptr, *exit_ = nullptr, *options_ = nullptr, *defaults_ = nullptr,
            *recompute_ = nullptr, *configuration_ = nullptr, *about_ = nullptr, *manual_ = nullptr,
            *readme_ = nullptr;
};

}  // namespace velta
