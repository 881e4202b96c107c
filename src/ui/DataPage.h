// The Raw and QC pages: the sounding's series side by side in a grid, one row
// per distinct time, rebuilt only when the sounding's raw or QC generation has
// moved. Prints as text pages and saves the rows it shows.
#pragma once

#include <vector>

#include "ui/SeriesTableModel.h"
#include "ui/TabPage.h"

class QLabel;
class QTableView;

namespace velta {

class DataPage : public TabPage {
    Q_OBJECT
public:
    enum class Kind { Raw, QC };
    DataPage(Kind kind, CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);

    void refresh() override;
    std::vector<TextPage> printPages() const override;
    // The save-as dialog, then saveTo.
    void save() override;
    // Writes the rows shown to the path in the format its extension names and
    // remembers the directory in RawSaveDir or QCSaveDir; false when nothing was saved.
    bool saveTo(const std::string& path);

    Kind kind() const { return kind_; }
    QTableView* grid() const { return grid_; }
    const SeriesTableModel& model() const { return *model_; }
    QString title() const;
    // What the page shows for the selected row: "Pres: " and that row's pressure cell.
    QString rowText() const;
    void showRow(int row);
    // Times the table was rebuilt (it is rebuilt only when the generation moves).
    int rebuilds() const { return rebuilds_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setColumnWidths();
    const char* directoryOption() const { return kind_ == Kind::Raw ? "RawSaveDir" : "QCSaveDir"; }

    Kind kind_;
    SeriesTableModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* row_ = nullptr;
    int shownGeneration_ = -1;
    int rebuilds_ = 0;
    std::string titleText_;
};

}  // namespace velta
