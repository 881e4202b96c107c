// The option sheet and the configuration manager over a real configuration file.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QApplication>
#include <QMessageBox>

#include "TestData.h"
#include "UiFixture.h"
#include "config/ConfigSet.h"
#include "config/OptionCatalogue.h"
#include "config/Registry.h"
#include "ui/ConfigManagerDialog.h"
#include "ui/OptionsSheet.h"

namespace velta::test {
namespace {

using DialogsTest = UiFixture;

TEST_F(DialogsTest, TheOptionSheetShowsEveryCatalogueOptionWithinItsLimits) {
    Registry registry(dir_ + "/velta.xml");
    ConfigSet set(registry);
    OptionsSheet sheet(set);
    for (const CatalogueEntry& e : optionCatalogue()) {
        const QString name = QString::fromStdString(e.name);
        const bool shown = sheet.numberEditor(name) || sheet.textEditor(name) || sheet.switchEditor(name);
        EXPECT_TRUE(shown) << e.name;
        // Each option says what it does, not only its name and range.
        auto* help = sheet.findChild<QLabel*>("help:" + name);
        ASSERT_TRUE(help) << e.name;
        EXPECT_GT(help->text().size(), 20) << e.name;
    }
    auto* unit = sheet.findChild<QLabel*>("unit:TdryOutlier");
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->text(), "deg C");
    EXPECT_TRUE(sheet.findChild<QLabel*>("help:WindQCWL")->text().contains("(1 to 600)"));
    QLineEdit* wl = sheet.numberEditor("WindQCWL");
    ASSERT_TRUE(wl);
    const CatalogueEntry* entry = findCatalogueEntry("WindQCWL");
    // Out of the catalogue's limits: the sheet stays open.
    wl->setText(QString::number(entry->upper * 10));
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    sheet.accept();
    EXPECT_NE(sheet.result(), QDialog::Accepted);

    wl->setText("12.5");
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    sheet.updateConfig();
    EXPECT_EQ(set.numericValue("WindQCWL").value(), 12.5);
    // Only the edited option changed.
    int modified = 0;
    for (const auto& [name, option] : set) modified += option.modified() ? 1 : 0;
    EXPECT_EQ(modified, 1);
}

TEST_F(DialogsTest, TheManagerCopiesAndRemovesSetsButNeverTheActiveOne) {
    Registry registry(dir_ + "/velta.xml");
    const std::string active = registry.activeSetName();
    ConfigManagerDialog manager(registry, dialogs_);
    ASSERT_TRUE(manager.copySet(QString::fromStdString(active), "Spare"));
    EXPECT_EQ(manager.setList()->findItems("Spare", Qt::MatchExactly).size(), 1);

    EXPECT_FALSE(manager.removeSet(QString::fromStdString(active)));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(registry.activeSetName(), active);

    dialogs_.optionsEditor = [](ConfigSet& set) {
        set.option("TdryOffset")->setValue(0.25);
        return true;
    };
    manager.editSet("Spare");
    EXPECT_EQ(registry.activeSetName(), active);
    manager.accept();
    {
        Registry reread(dir_ + "/velta.xml");
        reread.setActiveSetName("Spare");
        ConfigSet spare(reread);
        EXPECT_EQ(spare.numericValue("TdryOffset").value(), 0.25);
    }
    EXPECT_TRUE(manager.removeSet("Spare"));
    EXPECT_TRUE(manager.setList()->findItems("Spare", Qt::MatchExactly).isEmpty());
}

TEST_F(DialogsTest, TheManagerSaysWhyASetAroundOtherSetsIsKept) {
    const std::string path = dir_ + "/nested.xml";
    writeFile(path,
              "<?xml version=\"1.0\"?>\n<!DOCTYPE veltaConfig SYSTEM \"velta.dtd\">\n<veltaConfig><active>B</active>"
              "<set name=\"Z\"><set name=\"B\"><option name=\"Dir\" type=\"string\"><current>b</current>"
              "<default>.</default></option></set></set></veltaConfig>\n");
    Registry registry(path);
    ASSERT_EQ(registry.status(), 0);
    ConfigManagerDialog manager(registry, dialogs_);
    EXPECT_FALSE(manager.copySet("Z", "Y"));
    EXPECT_FALSE(manager.removeSet("Z"));
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(dialogs_.messages[0], "The configuration set 'Z' holds other configuration sets in the file and is not copied.");
    EXPECT_EQ(dialogs_.messages[1], "The configuration set 'Z' holds other configuration sets in the file and is not removed.");
    EXPECT_EQ(registry.setNames(), (std::vector<std::string>{"B", "Z"}));
}

}  // namespace
}  // namespace velta::test
