#include "ui/OptionsSheet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "config/ConfigSet.h"
#include "config/OptionCatalogue.h"
#include "config/OptionHelp.h"

namespace velta {
namespace {

QString numberText(double v) { return QString::number(v, 'g', 10); }

// The editor with the option's unit after it and its description below.
QWidget* withHelp(QWidget* editor, const CatalogueEntry& entry, QWidget* page) {
    const OptionHelp* help = findOptionHelp(entry.name);
    auto* box = new QWidget(page);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(1);
    auto* line = new QHBoxLayout;
    line->addWidget(editor, 1);
    if (help && *help->unit) {
        auto* unit = new QLabel(QString::fromUtf8(help->unit), box);
        unit->setObjectName(QString::fromStdString("unit:" + entry.name));
        unit->setMinimumWidth(70);
        line->addWidget(unit);
    }
    column->addLayout(line);
    if (help) {
        QString text = QString::fromUtf8(help->description);
        if (entry.kind == OptionKind::Numeric)
            text += QString("  (%1 to %2)").arg(numberText(entry.lower), numberText(entry.upper));
        auto* description = new QLabel(text, box);
        description->setObjectName(QString::fromStdString("help:" + entry.name));
        description->setStyleSheet("QLabel { color: palette(mid); font-size: small; }");
        description->setWordWrap(true);
        column->addWidget(description);
        editor->setToolTip(text);
    }
    return box;
}

}  // namespace

OptionsSheet::OptionsSheet(ConfigSet& set, QWidget* parent) : QDialog(parent), set_(set) {
    setWindowTitle("Options - " + QString::fromStdString(set.name()));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildPage(OptionGroup::QualityControl), "QC");
    tabs_->addTab(buildPage(OptionGroup::Other), "Options");
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsSheet::reject);
    layout->addWidget(buttons);
    resize(680, 640);
}

QWidget* OptionsSheet::buildPage(OptionGroup group) {
    auto* scroll = new QScrollArea;
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    for (const CatalogueEntry& entry : optionCatalogue()) {
        if (entry.group != group) continue;
        const ConfigOption* option = set_.option(entry.name);
        if (!option) continue;
        Editor editor;
        editor.name = QString::fromStdString(entry.name);
        if (entry.kind == OptionKind::Bool) {
            editor.check = new QCheckBox(page);
            editor.check->setChecked(option->valueAsBool());
            editor.initialChecked = option->valueAsBool();
            editor.check->setObjectName(editor.name);
            form->addRow(editor.name, withHelp(editor.check, entry, page));
        } else {
            editor.line = new QLineEdit(page);
            editor.line->setObjectName(editor.name);
            if (entry.kind == OptionKind::Numeric) {
                editor.numeric = true;
                editor.lower = entry.lower;
                editor.upper = entry.upper;
                auto* validator = new QDoubleValidator(entry.lower, entry.upper, 10, editor.line);
                validator->setLocale(QLocale::c());
                validator->setNotation(QDoubleValidator::StandardNotation);
                editor.line->setValidator(validator);
                editor.line->setText(numberText(option->value()));
            } else {
                editor.line->setText(QString::fromStdString(option->text()));
            }
            editor.initial = editor.line->text();
            form->addRow(editor.name, withHelp(editor.line, entry, page));
        }
        editors_.push_back(editor);
    }
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    return scroll;
}

const OptionsSheet::Editor* OptionsSheet::invalidEditor() const {
    for (const Editor& e : editors_) {
        if (!e.numeric || e.line->text() == e.initial) continue;
        bool ok = false;
        double v = QLocale::c().toDouble(e.line->text().trimmed(), &ok);
        if (!ok || v < e.lower || v > e.upper) return &e;
    }
    return nullptr;
}

void OptionsSheet::accept() {
    if (const Editor* bad = invalidEditor()) {
        QMessageBox::warning(this, "Velta",
                             QString("%1 must be a number from %2 to %3.")
                                 .arg(bad->name, numberText(bad->lower), numberText(bad->upper)));
        bad->line->setFocus();
        return;
    }
    QDialog::accept();
}

void OptionsSheet::updateConfig() {
    for (const Editor& e : editors_) {
        ConfigOption* option = set_.option(e.name.toStdString());
        if (!option) continue;
        if (e.check) {
            if (e.check->isChecked() != e.initialChecked) option->setValue(e.check->isChecked() ? 1.0 : 0.0);
        } else if (e.line->text() != e.initial) {
            if (e.numeric) {
                bool ok = false;
                double v = QLocale::c().toDouble(e.line->text().trimmed(), &ok);
                if (ok) option->setValue(v);
            } else {
                option->setText(e.line->text().toStdString());
            }
        }
    }
}

QLineEdit* OptionsSheet::numberEditor(const QString& name) const {
    for (const Editor& e : editors_)
        if (e.name == name && e.numeric) return e.line;
    return nullptr;
}

QLineEdit* OptionsSheet::textEditor(const QString& name) const {
    for (const Editor& e : editors_)
        if (e.name == name && e.line && !e.numeric) return e.line;
    return nullptr;
}

QCheckBox* OptionsSheet::switchEditor(const QString& name) const {
    for (const Editor& e : editors_)
        if (e.name == name) return e.check;
    return nullptr;
}

}  // namespace velta
