// The two option pages of a configuration set in one sheet: the quality
// control options first, then the other options. Numbers are edited within the
// catalogue's limits; updateConfig writes the values the user changed.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace velta {

class ConfigSet;
enum class OptionGroup;

class OptionsSheet : public QDialog {
    Q_OBJECT
public:
    OptionsSheet(ConfigSet& set, QWidget* parent = nullptr);

    // Writes every edited value into the set (after the sheet closed with OK).
    void updateConfig();

    // For tests: the editor of an option, or null.
    QLineEdit* numberEditor(const QString& name) const;
    QLineEdit* textEditor(const QString& name) const;
    QCheckBox* switchEditor(const QString& name) const;

    void accept() override;

private:
    struct Editor {
        QString name;
        QLineEdit* line = nullptr;
        QCheckBox* check = nullptr;
        bool numeric = false;
        double lower = 0.0, upper = 0.0;
        QString initial;
        bool initialChecked = false;
    };
    QWidget* buildPage(OptionGroup group);
    // The first editor whose text is not a number within its limits, or null.
    const Editor* invalidEditor() const;

    ConfigSet& set_;
    QTabWidget* tabs_ = nullptr;
    std::vector<Editor> editors_;
};

}  // namespace velta
