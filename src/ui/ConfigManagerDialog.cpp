#include "ui/ConfigManagerDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "document/KarvoEdDoc.h"
#include "extern/VeltaDialogs.h"

namespace velta {

namespace {

std::string holdsOtherSetsText(const QString& name, const char* action) {
    return "The configuration set '" + name.toStdString() +
           "' holds other configuration sets in the file and is not " + action + ".";
}

}  // namespace

ConfigManagerDialog::ConfigManagerDialog(Registry& registry, VeltaDialogs& dialogs, QWidget* parent)
    : QDialog(parent), registry_(registry), dialogs_(dialogs) {
    setWindowTitle("Configuration Sets");
    auto* layout = new QVBoxLayout(this);
    active_ = new QLabel(this);
    layout->addWidget(active_);
    auto* row = new QHBoxLayout;
    list_ = new QListWidget(this);
    row->addWidget(list_);
    auto* buttons = new QVBoxLayout;
    auto* activate = new QPushButton("Make &Active", this);
    auto* copy = new QPushButton("&Copy...", this);
    removeButton_ = new QPushButton("&Remove", this);
    auto* edit = new QPushButton("&Edit Options...", this);
    for (QPushButton* b : {activate, copy, removeButton_, edit}) buttons->addWidget(b);
    buttons->addStretch();
    row->addLayout(buttons);
    layout->addLayout(row);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(box);

    connect(activate, &QPushButton::clicked, this, [this] { makeActive(selectedName()); });
    connect(copy, &QPushButton::clicked, this, &ConfigManagerDialog::copySelected);
    connect(removeButton_, &QPushButton::clicked, this, [this] { removeSet(selectedName()); });
    connect(edit, &QPushButton::clicked, this, [this] { editSet(selectedName()); });
    connect(list_, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        removeButton_->setEnabled(!name.isEmpty() && name.toStdString() != registry_.activeSetName());
    });
    connect(box, &QDialogButtonBox::accepted, this, &ConfigManagerDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &ConfigManagerDialog::reject);
    fill();
}

void ConfigManagerDialog::fill() {
    const QString current = selectedName();
    list_->clear();
    const std::string active = registry_.activeSetName();
    for (const std::string& name : registry_.setNames()) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), list_);
        if (name == active) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
        }
    }
    active_->setText("Active configuration set: " + QString::fromStdString(active));
    const auto found = list_->findItems(current.isEmpty() ? QString::fromStdString(active) : current,
                                        Qt::MatchExactly);
    if (!found.isEmpty()) list_->setCurrentItem(found.first());
}

QString ConfigManagerDialog::selectedName() const {
    return list_->currentItem() ? list_->currentItem()->text() : QString();
}

bool ConfigManagerDialog::makeActive(const QString& name) {
    if (name.isEmpty()) return false;
    registry_.setActiveSetName(name.toStdString());
    fill();
    return true;
}

void ConfigManagerDialog::copySelected() {
    const QString from = selectedName();
    if (from.isEmpty()) return;
    bool ok = false;
    const QString to = QInputDialog::getText(this, "Copy Configuration Set", "Name of the new set:",
                                             QLineEdit::Normal, from + " copy", &ok);
    if (ok) copySet(from, to.trimmed());
}

bool ConfigManagerDialog::copySet(const QString& from, const QString& to) {
    if (from.isEmpty() || to.isEmpty()) return false;
    if (!registry_.copySet(from.toStdString(), to.toStdString())) {
        if (registry_.holdsOtherSets(from.toStdString())) {
            dialogs_.messageBox(holdsOtherSetsText(from, "copied"));
            return false;
        }
        dialogs_.messageBox("The configuration set '" + from.toStdString() + "' could not be copied to '" +
                            to.toStdString() + "'. Perhaps a set of that name exists already?");
        return false;
    }
    fill();
    return true;
}

bool ConfigManagerDialog::removeSet(const QString& name) {
    if (name.isEmpty()) return false;
    if (name.toStdString() == registry_.activeSetName()) {
        dialogs_.messageBox("The active configuration set cannot be removed.");
        return false;
    }
    if (!registry_.removeSet(name.toStdString())) {
        // Only a set written around other sets in a hand-edited file is refused.
        dialogs_.messageBox(holdsOtherSetsText(name, "removed"));
        return false;
    }
    fill();
    return true;
}

void ConfigManagerDialog::editSet(const QString& name) {
    if (name.isEmpty()) return;
    // A configuration set always works on the active set: make the chosen one
    // active while it is edited.
    const std::string active = registry_.activeSetName();
    registry_.setActiveSetName(name.toStdString());
    {
        ConfigSet set(registry_);
        dialogs_.editOptions(set);
    }
    registry_.setActiveSetName(active);
}

void ConfigManagerDialog::accept() {
    registry_.save(false);
    reportFailedConfigurationSave(dialogs_, registry_);
    QDialog::accept();
}

}  // namespace velta
