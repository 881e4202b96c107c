// GoogleTest main for the window tests: one QApplication for the whole run,
// the profile (recent files) kept under the build tree.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string home = std::string(VELTA_UI_BINARY_DIR) + "/test-scratch/ui-home";
    std::filesystem::create_directories(home);
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    ::unsetenv("VELTACONFIG");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
