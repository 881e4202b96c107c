// Start-up after the configuration directory is known: the configuration file
// is read, the status bar tells the active set, files named on the command
// line are opened.
#include <QLabel>
#include <filesystem>

#include "TestData.h"
#include "UiFixture.h"
#include "document/BuildInformation.h"
#include "app/Startup.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "ui/AboutDialog.h"

namespace velta::test {
namespace {

class StartupTest : public UiFixture {
protected:
    void setAutoFile(double value) {
        Registry registry(dir_ + "/velta.xml");
        ConfigSet set(registry, false);
        set.addNumeric("AutoFile", 1.0, 0.0, 1.0, true);
        set.option("AutoFile")->setValue(value);
        set.save(false);
    }
};

TEST_F(StartupTest, ShowsTheActiveSetAndOpensTheFilesNamed) {
    setAutoFile(0);
    const StartupResult r = startVelta(*frame_, dialogs_, {QString::fromStdString(samplePath(kSample))});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(dialogs_.messages.empty());
    Registry registry(dir_ + "/velta.xml");
    const QString expected = QString::fromStdString("Active config:" + registry.activeSetName() + ",  config dir:");
    EXPECT_TRUE(frame_->configurationPane()->text().startsWith(expected)) << frame_->configurationPane()->text().toStdString();
    EXPECT_EQ(frame_->documentCount(), 1);
    EXPECT_EQ(frame_->geometry().topLeft(), QPoint(10, 10));
}

TEST_F(StartupTest, AutoFileOffOpensNothing) {
    setAutoFile(0);
    ASSERT_TRUE(startVelta(*frame_, dialogs_, {}).ok);
    EXPECT_EQ(frame_->documentCount(), 0);
    EXPECT_TRUE(frame_->action("configuration")->isVisible());
}

TEST_F(StartupTest, ABrokenConfigurationFileEndsTheProgram) {
    ASSERT_TRUE(writeFile(dir_ + "/velta.xml", "<velta><broken"));
    const StartupResult r = startVelta(*frame_, dialogs_, {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("There is a problem with the XML configuration\nfile ("), std::string::npos);
    EXPECT_NE(dialogs_.messages[0].find("velta.xml), or its DTD file.\n"), std::string::npos);
}

TEST_F(StartupTest, OpeningWithoutAConfigurationFileIsFatal) {
    std::filesystem::remove(dir_ + "/velta.xml");
    EXPECT_EQ(frame_->openDocument(QString::fromStdString(samplePath(kSample))), nullptr);
    EXPECT_EQ(fatalCode_, 1);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0], "Unable to access the configuration file: ./velta.xml");
}

TEST_F(StartupTest, TheConfigurationManagerWorksOnTheFile) {
    dialogs_.configurationManager = [](Registry& registry) {
        ASSERT_TRUE(registry.copySet(registry.activeSetName(), "Copy"));
        registry.setActiveSetName("Copy");
        registry.save(false);
    };
    frame_->configurationCommand();
    Registry registry(dir_ + "/velta.xml");
    EXPECT_EQ(registry.activeSetName(), "Copy");
    EXPECT_TRUE(frame_->configurationPane()->text().startsWith("Active config:Copy,  config dir:"));
}

TEST_F(StartupTest, AboutTellsVersionAndBuild) {
    AboutDialog about("0.1.0");
    EXPECT_EQ(about.windowTitle(), "About Velta");
    const QStringList lines = about.text().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Version: 0.1.0");
    EXPECT_TRUE(lines[1].startsWith("Revision: "));
    EXPECT_TRUE(lines[2].startsWith("Last Changed Date: "));
}

TEST_F(StartupTest, MissingHelpDocumentsAreReported) {
    ::setenv("VELTAPROG", (dir_ + "/nowhere").c_str(), 1);
    frame_->helpCommand("Docs/Velta Manual.pdf");
    ::unsetenv("VELTAPROG");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0],
              "Unable to open the Velta User Manual file: Docs/Velta Manual.pdf\nIt should be located in the "
              "$VELTAPROG/Docs or \".\" directories.");
}

}  // namespace
}  // namespace velta::test
