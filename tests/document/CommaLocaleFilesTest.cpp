// Every file Velta writes is the same under a comma-decimal locale (as the desktop runs on many
// operators' machines) as under "C", and reads back there with the same numbers.
#include <gtest/gtest.h>
#include <netcdf.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CommaLocale.h"
#include "TestData.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "document/DataExport.h"
#include "document/KarvoEdDoc.h"
#include "extern/ScriptedDialogs.h"
#include "io/SoundingFile.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

const char* kSample = "samples/D20250915_174512.1";

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Opens and processes the sample with a fresh copy of the shipped configuration in `dir`, and
// writes every output into it: name -> bytes.
std::map<std::string, std::string> processAndWriteAll(const std::string& dir) {
    fs::copy_file(test::sourcePath("share/velta.xml"), dir + "/velta.xml");
    fs::copy_file(test::sourcePath("share/velta.dtd"), dir + "/velta.dtd");
    ScriptedDialogs dialogs;
    int exitCode = -1;
    std::unique_ptr<CKarvoEdDoc> doc = CKarvoEdDoc::create(dialogs, "1.2.3", exitCode, dir + "/velta.xml");
    std::map<std::string, std::string> out;
    if (!doc || !doc->open(test::sourcePath(kSample))) return out;
    const SoundingProcessor& processor = *doc->processor();

    for (DataKind kind : {DataKind::Raw, DataKind::QC}) {
        const DataExport exported(processor, kind);
        for (const char* extension : {".qsf", ".csv", ".tvx", ".nc"}) {
            const std::string name = std::string(kind == DataKind::Raw ? "raw" : "qc") + extension;
            const SaveOutcome outcome = saveDataFile(dir + "/" + name, exported.data());
            EXPECT_TRUE(outcome.saved) << name << ": " << outcome.message;
            out[name] = test::readFile(dir + "/" + name);
        }
    }
    if (processor.message()) out["message"] = processor.message()->text(false);
    if (processor.levels())
        for (const auto& page : processor.levels()->listing()) out["levels"] += join(page);
    for (const std::string& category : processor.logCategories())
        out["log"] += category + "\n" + join(processor.logLines(category));
    for (const auto& [name, value] : processor.processingOptions()) out["options"] += name + " " + value + "\n";

    // The configuration: a changed fraction saved and read again.
    doc->configuration().option("WindVVdelta")->setValue(3.25);
    doc->configuration().save(false);
    out["velta.xml"] = test::readFile(dir + "/velta.xml");
    return out;
}

std::vector<float> netcdfVariable(const std::string& path, const char* name) {
    std::vector<float> values;
    int ncid = -1, var = -1, dim = -1;
    size_t length = 0;
    if (nc_open(path.c_str(), NC_NOWRITE, &ncid) != NC_NOERR) return values;
    if (nc_inq_varid(ncid, name, &var) == NC_NOERR && nc_inq_dimid(ncid, "time", &dim) == NC_NOERR &&
        nc_inq_dimlen(ncid, dim, &length) == NC_NOERR) {
        values.resize(length);
        if (nc_get_var_float(ncid, var, values.data()) != NC_NOERR) values.clear();
    }
    nc_close(ncid);
    return values;
}

TEST(CommaLocaleFiles, EveryOutputIsTheSameAsUnderCAndReadsBack) {
    const std::string plainDir = test::scratchDir("locale/c");
    const std::map<std::string, std::string> plain = processAndWriteAll(plainDir);
    ASSERT_EQ(plain.size(), 13u);
    ASSERT_NE(plain.at("qc.csv").find("Data,"), std::string::npos);

    test::CommaLocale locale;
    if (!locale.active()) GTEST_SKIP() << locale.why();
    const std::string commaDir = test::scratchDir("locale/comma");
    const std::map<std::string, std::string> comma = processAndWriteAll(commaDir);
    ASSERT_EQ(comma.size(), plain.size());
    for (const auto& [name, bytes] : plain) {
        // The netCDF files differ only where the time of writing is stored; none is.
        EXPECT_EQ(comma.at(name), bytes) << name << " differs under " << locale.name();
    }
    EXPECT_NE(comma.at("velta.xml").find("<current>3.250000</current>"), std::string::npos);

    // Read back under the comma locale: the numbers are those written.
    for (const char* name : {"qc.csv", "qc.tvx"}) {
        SoundingFile file(commaDir + "/" + name);
        ASSERT_TRUE(file.valid()) << name;
        const RawRecords& r = file.raw().records;
        ASSERT_GT(r.count(), 100) << name;
        bool fraction = false;
        for (double p : r.pressure) fraction = fraction || (p > 0 && p != static_cast<int>(p));
        EXPECT_TRUE(fraction) << name << ": pressures lost their decimals";
    }
    SoundingFile csv(commaDir + "/qc.csv");
    const std::vector<double>& csvPres = csv.raw().records.pressure;
    const std::vector<float> pres = netcdfVariable(commaDir + "/qc.nc", "pres");
    // The CSV leaves out a launch-point row and goes from launch down; the netCDF file holds
    // every row of a drop bottom up.
    ASSERT_GE(pres.size(), csvPres.size());
    const std::size_t skipped = pres.size() - csvPres.size();
    ASSERT_LE(skipped, 1u);
    for (std::size_t j = 0; j < csvPres.size(); ++j) {
        if (csvPres[j] != MissingValue) {
            EXPECT_NEAR(pres[pres.size() - 1 - (j + skipped)], csvPres[j], 0.006) << j;
        }
    }
    Registry reread(commaDir + "/velta.xml");
    ConfigSet options(reread);
    EXPECT_EQ(options.option("WindVVdelta")->value(), 3.25);

    // For review: what a comma-decimal desktop writes.
    for (const char* name : {"qc.csv", "qc.nc"}) {
        std::error_code ec;
        fs::copy_file(commaDir + "/" + name, test::reviewPath(std::string("comma-locale-") + name),
                      fs::copy_options::overwrite_existing, ec);
        EXPECT_FALSE(ec) << name;
    }
}

}  // namespace
}  // namespace velta
