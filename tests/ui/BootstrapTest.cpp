// Finding or creating the configuration directory before start-up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestData.h"
#include "app/ConfigBootstrap.h"
#include "extern/ScriptedDialogs.h"

namespace velta::test {
namespace {

namespace fs = std::filesystem;

class BootstrapTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        root_ = scratchDir(std::string("ui-bootstrap-") +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        work_ = root_ + "/work";
        fs::create_directories(work_);
        fs::current_path(work_);
        ::unsetenv("VELTACONFIG");
        input_.programDataDir = sourcePath("share");
    }
    void TearDown() override {
        fs::current_path(previous_);
        ::unsetenv("VELTACONFIG");
    }
    void copyDefaults(const std::string& to) {
        for (const char* f : {"velta.xml", "velta.dtd"}) fs::copy_file(sourcePath(std::string("share/") + f), to + "/" + f);
    }

    fs::path previous_;
    std::string root_, work_;
    BootstrapInput input_;
    ScriptedDialogs dialogs_;
};

TEST_F(BootstrapTest, FilesInTheWorkingDirectoryMakeItTheConfigurationDirectory) {
    copyDefaults(work_);
    const BootstrapResult r = bootstrapConfigDirectory(dialogs_, input_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(fs::path(r.directory), fs::canonical(work_));
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_TRUE(dialogs_.questions.empty());
}

TEST_F(BootstrapTest, FilesInVeltaConfigAreUsed) {
    const std::string config = root_ + "/config";
    fs::create_directories(config);
    copyDefaults(config);
    ::setenv("VELTACONFIG", config.c_str(), 1);
    const BootstrapResult r = bootstrapConfigDirectory(dialogs_, input_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(fs::path(r.directory), fs::canonical(config));
}

TEST_F(BootstrapTest, VeltaConfigWithoutFilesAnsweredNoEndsQuietly) {
    const std::string config = root_ + "/empty";
    ::setenv("VELTACONFIG", config.c_str(), 1);
    dialogs_.queryAnswers.push_back(false);
    const BootstrapResult r = bootstrapConfigDirectory(dialogs_, input_);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(dialogs_.questions[0],
              "Velta could not access your configuration files.\n\nThe VELTACONFIG environment variable is set to \n" +
                  config +
                  "\n\nShall I copy the default configuration files into this directory?\n(WARNING - this will "
                  "overwrite velta.xml and velta.dtd,\nif they are already in this directory.)\n");
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_FALSE(fs::exists(config));
}

TEST_F(BootstrapTest, TheUserConfigurationFolderIsCreatedAndFilled) {
    input_.userConfigDir = root_ + "/xdg";
    fs::create_directories(input_.userConfigDir);
    const std::string target = input_.userConfigDir + "/Velta";
    dialogs_.queryAnswers.push_back(true);
    const BootstrapResult r = bootstrapConfigDirectory(dialogs_, input_);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.directory, target);
    ASSERT_NE(std::getenv("VELTACONFIG"), nullptr);
    EXPECT_EQ(std::string(std::getenv("VELTACONFIG")), target);
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_NE(dialogs_.questions[0].find("Normally the configuration files are stored in: \n" + target + "\n"),
              std::string::npos);
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(dialogs_.messages[0], "The Velta configuration directory:\n" + target + "\nhas been created\n");
    EXPECT_EQ(dialogs_.messages[1],
              "The following configuration files have been created\nfrom the default files in the Velta "
              "distribution:\n\n" + target + "/velta.dtd\n\n and \n\n" + target + "/velta.xml");
    for (const char* f : {"velta.xml", "velta.dtd"})
        EXPECT_EQ(readFile(target + "/" + f), readFile(sourcePath(std::string("share/") + f))) << f;

    // The next start finds them without asking.
    ScriptedDialogs again;
    ::unsetenv("VELTACONFIG");
    EXPECT_TRUE(bootstrapConfigDirectory(again, input_).ok);
    EXPECT_TRUE(again.questions.empty());
}

TEST_F(BootstrapTest, FailuresOnTheWayAreFatal) {
    struct Case {
        const char* name;
        std::string programDataDir;
        bool blockTarget;
        std::string messageStart;
    };
    const Case cases[] = {
        {"no installation", "", false, "The VELTAPROG environment variable is not set.\n"},
        {"no default files", root_ + "/nowhere", false, "Unable to copy from\n" + root_ + "/nowhere/velta.xml\nto\n"},
        {"target not creatable", sourcePath("share"), true, "Unable to create: \n"},
    };
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        dialogs.queryAnswers.push_back(true);
        const std::string target = root_ + "/" + c.name + (c.blockTarget ? "/below-a-file/x" : "");
        if (c.blockTarget) {
            fs::create_directories(root_ + "/" + c.name);
            ASSERT_TRUE(writeFile(root_ + "/" + c.name + "/below-a-file", "x"));
        }
        ::setenv("VELTACONFIG", target.c_str(), 1);
        BootstrapInput input{"", c.programDataDir};
        const BootstrapResult r = bootstrapConfigDirectory(dialogs, input);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.exitCode, 1) << c.name;
        ASSERT_FALSE(dialogs.messages.empty()) << c.name;
        EXPECT_EQ(dialogs.messages.back().rfind(c.messageStart, 0), 0u) << c.name << ": " << dialogs.messages.back();
    }
}

TEST_F(BootstrapTest, WithoutAnyPlaceForTheFilesTheProgramCannotStart) {
    const BootstrapResult r = bootstrapConfigDirectory(dialogs_, input_);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].rfind("Velta could not locate your configuration files, \n", 0), 0u);
}

}  // namespace
}  // namespace velta::test
