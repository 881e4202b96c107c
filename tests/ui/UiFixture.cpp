#include "UiFixture.h"

#include <cstdlib>
#include <QMdiArea>
#include <filesystem>

#include "TestData.h"

namespace velta::test {

std::string samplePath(const std::string& name) { return sourcePath("samples/" + name); }

std::string reviewPath(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(VELTA_UI_BINARY_DIR) / "review";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

void UiFixture::enterScratch(const std::string& name) {
    dir_ = scratchDir(name);
    for (const char* f : {"velta.xml", "velta.dtd"})
        std::filesystem::copy_file(sourcePath(std::string("share/") + f), dir_ + "/" + f,
                                   std::filesystem::copy_options::overwrite_existing);
    std::filesystem::current_path(dir_);
}

void UiFixture::SetUp() {
    previousDir_ = std::filesystem::current_path().string();
    ::unsetenv("VELTACONFIG");
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    enterScratch(std::string("ui-") + info->test_suite_name() + "-" + info->name());
    frame_ = std::make_unique<CMainFrame>(dialogs_, "0.1.0");
    frame_->fatal = [this](int code) { fatalCode_ = code; };
    frame_->resize(1000, 720);
    frame_->show();
}

void UiFixture::TearDown() {
    if (frame_) {
        frame_->mdiArea()->closeAllSubWindows();
        frame_.reset();
    }
    std::filesystem::current_path(previousDir_);
}

}  // namespace velta::test
