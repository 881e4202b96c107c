// A scratch working directory holding copies of the default configuration
// files, a main window with scripted dialogs, and the sample drops.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "extern/ScriptedDialogs.h"
#include "ui/CMainFrame.h"

namespace velta::test {

// samples/<name> in the source tree.
std::string samplePath(const std::string& name);
// <build>/review/<name>, the folder of screenshots, images and PDFs kept for review.
std::string reviewPath(const std::string& name);
inline constexpr const char* kSample = "D20250915_174512.1";

class UiFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes dir the working directory with velta.xml and velta.dtd in it.
    void enterScratch(const std::string& name);

    std::string dir_;
    std::string previousDir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<CMainFrame> frame_;
    int fatalCode_ = 0;
};

}  // namespace velta::test
