// The configuration manager: choose the active configuration set, copy a set,
// remove a set (never the active one) and edit a set's options. OK saves the
// configuration file; Cancel leaves it as it was.
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace velta {

class Registry;
class VeltaDialogs;

class ConfigManagerDialog : public QDialog {
    Q_OBJECT
public:
    ConfigManagerDialog(Registry& registry, VeltaDialogs& dialogs, QWidget* parent = nullptr);

    // The commands, callable without the buttons; false when refused.
    bool makeActive(const QString& name);
    bool copySet(const QString& from, const QString& to);
    bool removeSet(const QString& name);
    // Opens the option sheet on that set.
    void editSet(const QString& name);

    void accept() override;
    QListWidget* setList() const { return list_; }

private:
    void fill();
    QString selectedName() const;
    void copySelected();

    Registry& registry_;
    VeltaDialogs& dialogs_;
    QListWidget* list_ = nullptr;
    QLabel* active_ = nullptr;
    QPushButton* removeButton_ = nullptr;
};

}  // namespace velta
