#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netcdf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "TestData.h"
#include "WriterTestInput.h"
#include "io/NetcdfWriter.h"

namespace velta {
namespace {

using test::WriterRows;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string commandOutput(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    return names;
}

// A whole float variable of a file; empty when it cannot be read.
std::vector<float> floats(int ncid, const char* name, std::size_t n) {
    int var = -1;
    std::vector<float> values(n);
    if (nc_inq_varid(ncid, name, &var) != NC_NOERR || nc_get_var_float(ncid, var, values.data()) != NC_NOERR)
        return {};
    return values;
}

WriterInput launchedAt183401(const WriterRows& rows, const std::string& path) {
    WriterInput in = test::writerInput(rows, nullptr, path);
    in.header.second = 1;
    in.header.launchTime = calendarTime(2005, 8, 27, 18, 34, 1);
    in.buildRevision = "Revision: 1234";
    return in;
}

TEST(NetcdfWriter, ClassicFileWithEveryDimensionVariableAndAttribute) {
    const std::string path = test::scratchDir("netcdf-layout") + "/drop.nc";
    WriterRows rows;
    NetcdfWriter writer(launchedAt183401(rows, path));
    ASSERT_TRUE(writer.ok()) << writer.errorText();

    EXPECT_EQ(commandOutput("ncdump -k '" + path + "'"), "classic\n");
    const std::string header = commandOutput("ncdump -h '" + path + "'");
    EXPECT_THAT(header, HasSubstr("dimensions:\n\ttime = 3 ;\n"));

    std::vector<std::string> variables;
    const std::regex declaration("\n\t(int|float|double) (\\w+)(\\(time\\))? ;");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), declaration);
         it != std::sregex_iterator(); ++it)
        variables.push_back((*it)[1].str() + " " + (*it)[2].str() + (*it)[3].str());
    EXPECT_THAT(
        variables,
        ElementsAre("int base_time", "float time_offset(time)", "double time(time)", "float pres(time)",
                    "float tdry(time)", "float dp(time)", "float rh(time)", "float u_wind(time)",
                    "float v_wind(time)", "float wspd(time)", "float wdir(time)", "float dz(time)",
                    "float range(time)", "float qp(time)", "float qt(time)", "float qrh(time)",
                    "float qu(time)", "float qv(time)", "float qwind(time)", "float mr(time)",
                    "float vt(time)", "float theta(time)", "float theta_e(time)", "float theta_v(time)",
                    "float lat(time)", "float lon(time)", "float alt(time)", "float gpsalt(time)"));

    for (const char* text : {"\tint base_time ;\n"
                             "\t\tbase_time:long_name = \"sounding launch time\" ;\n"
                             "\t\tbase_time:units = \"seconds since 1970-01-01 00:00:00 UTC\" ;\n"
                             "\t\tbase_time:string = \"Sat Aug 27 18:34:01 2005\" ;\n",
                             "\tdouble time(time) ;\n"
                             "\t\ttime:long_name = \"time\" ;\n"
                             "\t\ttime:units = \"seconds since 1970-01-01 00:00:00 UTC\" ;\n"
                             "\t\ttime:standard_name = \"time\" ;\n",
                             "\tfloat pres(time) ;\n"
                             "\t\tpres:long_name = \"pres\" ;\n"
                             "\t\tpres:units = \"hPa\" ;\n"
                             "\t\tpres:missing_value = -999.f ;\n"
                             "\t\tpres:field_type = \"P\" ;\n"
                             "\t\tpres:_FillValue = -999.f ;\n",
                             // The values are kelvin, and so is the unit.
                             "\t\tvt:units = \"K\" ;\n",
                             "\t\tlat:long_name = \"north latitude\" ;\n"
                             "\t\tlat:units = \"degrees_north\" ;\n"
                             "\t\tlat:missing_value = -999.f ;\n"
                             "\t\tlat:_FillValue = -999.f ;\n"
                             "\t\tlat:valid_range = -90.f, 90.f ;\n",
                             "\t\tlon:valid_range = -180.f, 180.f ;\n",
                             "// global attributes:\n"
                             "\t\t:bad_value_flag = -999.f ;\n"
                             "\t\t:plixo_platform = \"turva\" ;\n"
                             "\t\t:history = \"TurvaNcFile\" ;\n"
                             "\t\t:SvnRevision = \"Revision: 1234\" ;\n"
                             "\t\t:KarvoEditorVersion = \"0.1.0\" ;\n"
                             "\t\t:SoundingDescription = \"D20050827_183401.1 test drop\" ;\n"
                             "\t\t:ConfigSetName = \"default\" ;\n"})
        EXPECT_THAT(header, HasSubstr(text));
    EXPECT_THAT(header, Not(HasSubstr("SvnLastChangedDate")));
    EXPECT_THAT(header, Not(HasSubstr("time:_FillValue")));
}

// Debian's interpreter, which the Debian packages python3-xarray and python3-netcdf4 serve.
std::string debianPython() { return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }

TEST(NetcdfWriter, XarrayFindsTimeCoordinatesAndQuantities) {
    const std::string python = debianPython();
    if (commandOutput(python + " -c 'import xarray, netCDF4; print(1)' 2>/dev/null") != "1\n")
        GTEST_SKIP() << "python3-xarray and python3-netcdf4 are not installed (scripts/install-deps)";
    const std::string path = test::scratchDir("netcdf-xarray") + "/drop.nc";
    WriterRows rows;  // times -1, 0.5, 12.5; the 0.5 row has no temperature
    WriterInput in = launchedAt183401(rows, path);
    in.header.sondeid = "250915123";
    NetcdfWriter writer(in);
    ASSERT_TRUE(writer.ok()) << writer.errorText();

    EXPECT_EQ(commandOutput(python + " '" + test::sourcePath("tests/io/fixtures/cf_reading.py") + "' '" + path +
                            "' 2005-08-27T18:34:00 2>&1"),
              "ok\n");
    const std::string header = commandOutput("ncdump -h '" + path + "'");
    for (const char* text : {"\t\t:Conventions = \"CF-1.8\" ;\n", "\t\t:sonde_id = \"250915123\" ;\n",
                             "\t\t:launch_time = \"2005-08-27T18:34:01Z\" ;\n", "\t\t:launch_latitude = 17.25 ;\n",
                             "\t\t:launch_longitude = -80.5 ;\n", "\t\t:launch_altitude = 7500. ;\n",
                             "\t\t:project = \"HURR05\" ;\n", "\t\t:aircraft = \"WC-130J AF305\" ;\n",
                             "\t\t:software_version = \"0.1.0\" ;\n", "\t\tpres:coordinates = \"time lat lon alt\" ;\n"})
        EXPECT_THAT(header, HasSubstr(text));
}

TEST(NetcdfWriter, ValuesOfADropLastRowFirstWithDerivedQuantities) {
    const std::string path = test::scratchDir("netcdf-values") + "/drop.nc";
    WriterRows rows;  // times -1, 0.5, 12.5; the 0.5 row has no temperature; no altitude column
    NetcdfWriter writer(launchedAt183401(rows, path));
    ASSERT_TRUE(writer.ok()) << writer.errorText();

    int ncid = -1;
    ASSERT_EQ(nc_open(path.c_str(), NC_NOWRITE, &ncid), NC_NOERR);
    int var = -1, baseTime = 0;
    ASSERT_EQ(nc_inq_varid(ncid, "base_time", &var), NC_NOERR);
    ASSERT_EQ(nc_get_var_int(ncid, var, &baseTime), NC_NOERR);
    EXPECT_EQ(baseTime, 1125167641);
    std::vector<double> times(3);
    ASSERT_EQ(nc_inq_varid(ncid, "time", &var), NC_NOERR);
    ASSERT_EQ(nc_get_var_double(ncid, var, times.data()), NC_NOERR);
    EXPECT_THAT(times, ElementsAre(1125167653.5, 1125167641.5, 1125167640.0));

    EXPECT_THAT(floats(ncid, "time_offset", 3), ElementsAre(12.5f, 0.5f, -1.0f));
    EXPECT_THAT(floats(ncid, "pres", 3), ElementsAre(1012.3f, 399.5f, 400.0f));
    EXPECT_THAT(floats(ncid, "u_wind", 3), ElementsAre(1.0f, -11.0f, -10.0f));
    EXPECT_THAT(floats(ncid, "gpsalt", 3), ElementsAre(7400.0f, 7495.0f, 7500.0f));
    EXPECT_THAT(floats(ncid, "dz", 3), ElementsAre(-10.0f, -12.0f, -999.0f));
    // Derived with the formulas given (the test's stand-ins): dp = T - (100 - RH) / 5, vt = T + 273.16 + RH /
    // 100.
    EXPECT_THAT(floats(ncid, "dp", 3), ElementsAre(21.0f, -999.0f, -30.0f));
    EXPECT_THAT(floats(ncid, "vt", 3),
                ElementsAre(float(25.0 + 273.16 + 0.8), -999.0f, float(-20.0 + 273.16 + 0.5)));
    EXPECT_THAT(floats(ncid, "theta_v", 3), ElementsAre(float(25.0 + 273.16 + 0.8 + 1000.0 / 1012.3), -999.0f,
                                                        float(-20.0 + 273.16 + 0.5 + 2.5)));
    // The row without temperature is missing in everything derived from it.
    for (const char* name : {"tdry", "mr", "theta", "theta_e"}) {
        const auto values = floats(ncid, name, 3);
        ASSERT_EQ(values.size(), 3u) << name;
        EXPECT_EQ(values[1], -999.0f) << name;
        EXPECT_NE(values[0], -999.0f) << name;
    }
    // Never written: the absent altitude column and the quality variables hold the fill value.
    for (const char* name : {"alt", "range", "qp", "qt", "qrh", "qu", "qv", "qwind"})
        EXPECT_THAT(floats(ncid, name, 3), Each(-999.0f)) << name;
    nc_close(ncid);
}

TEST(NetcdfWriter, AscendingSoundingKeepsRowOrder) {
    const std::string path = test::scratchDir("netcdf-ascending") + "/ascent.nc";
    WriterRows rows;
    WriterInput in = launchedAt183401(rows, path);
    in.header.ascending = true;
    NetcdfWriter writer(in);
    ASSERT_TRUE(writer.ok()) << writer.errorText();
    int ncid = -1;
    ASSERT_EQ(nc_open(path.c_str(), NC_NOWRITE, &ncid), NC_NOERR);
    EXPECT_THAT(floats(ncid, "time_offset", 3), ElementsAre(-1.0f, 0.5f, 12.5f));
    nc_close(ncid);
}

// Soundings are written from several threads at once (velta-batch -j): the
// files come out whole and alike, and the library is never entered twice.
TEST(NetcdfWriter, WritersOnSeveralThreadsMakeWholeFiles) {
    const std::string dir = test::scratchDir("netcdf-threads");
    WriterRows rows;
    NetcdfWriter reference(launchedAt183401(rows, dir + "/reference.nc"));
    ASSERT_TRUE(reference.ok()) << reference.errorText();
    const std::string expected = test::readFile(dir + "/reference.nc");

    constexpr int Threads = 4;
    constexpr int FilesEach = 40;
    std::vector<std::string> errors(Threads);
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t)
        threads.emplace_back([&, t] {
            for (int k = 0; k < FilesEach; ++k) {
                const std::string path = dir + "/" + std::to_string(t) + "-" + std::to_string(k) + ".nc";
                NetcdfWriter writer(launchedAt183401(rows, path));
                if (!writer.ok()) errors[t] = writer.errorText();
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_THAT(errors, Each(""));
    for (int t = 0; t < Threads; ++t)
        for (int k = 0; k < FilesEach; k += 13)
            EXPECT_EQ(test::readFile(dir + "/" + std::to_string(t) + "-" + std::to_string(k) + ".nc"), expected);
}

TEST(NetcdfWriter, FailuresAreReportedAndLeaveNothingBehind) {
    const std::string dir = test::scratchDir("netcdf-failures");
    WriterRows rows;

    // A directory that does not exist.
    {
        NetcdfWriter writer(launchedAt183401(rows, dir + "/missing/drop.nc"));
        EXPECT_FALSE(writer.ok());
        EXPECT_THAT(writer.errorText(), HasSubstr(dir + "/missing/drop.nc"));
    }
    // A directory where the file should go: it is left as it was.
    std::filesystem::create_directory(dir + "/taken.nc");
    {
        NetcdfWriter writer(launchedAt183401(rows, dir + "/taken.nc"));
        EXPECT_FALSE(writer.ok());
        EXPECT_TRUE(std::filesystem::is_directory(dir + "/taken.nc"));
    }
    // A library error part way (an attribute name netCDF refuses): the old file keeps its content.
    ASSERT_TRUE(test::writeFile(dir + "/old.nc", "old content"));
    {
        WriterInput in = launchedAt183401(rows, dir + "/old.nc");
        in.processingLog.push_back({"bad/name", "x"});
        NetcdfWriter writer(in);
        EXPECT_FALSE(writer.ok());
        EXPECT_THAT(writer.errorText(), HasSubstr("bad/name"));
        EXPECT_EQ(test::readFile(dir + "/old.nc"), "old content");
    }
    EXPECT_THAT(filesIn(dir), ::testing::UnorderedElementsAre("taken.nc", "old.nc"));
}

TEST(NetcdfWriter, ReadOnlyDirectoryIsReported) {
    WriterRows rows;
    const std::string locked = test::scratchDir("netcdf-read-only");
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0555);
    if (::access(locked.c_str(), W_OK) == 0) {
        ::chmod(locked.c_str(), 0755);
        GTEST_SKIP() << "directory permissions do not apply to this user";
    }
    NetcdfWriter writer(launchedAt183401(rows, locked + "/drop.nc"));
    EXPECT_FALSE(writer.ok());
    EXPECT_TRUE(filesIn(locked).empty());
    ::chmod(locked.c_str(), 0755);
}

}  // namespace
}  // namespace velta
