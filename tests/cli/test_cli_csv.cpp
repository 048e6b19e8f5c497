// `rk36 export` and `rk36 import`: exit status, messages and written files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "support/CliRun.h"

namespace fs = std::filesystem;

namespace {

TEST(CliCsv, ExportAndImportExitStatus) {
    TScratchFolder dir;
    ASSERT_EQ(RunRk36(dir, "new --product TR-2300 --band 'VHF A' -o van.k36").Status, 0);
    {
        std::ofstream(dir / "bad.csv", std::ios::binary)
            << "Location,Name,Frequency\r\n1,A,150.000000\r\n2,B,450.000000\r\n3,C?,150.0125\r\n";
    }
    struct Row {
        const char* name;
        std::string args;
        int status;
        std::string err;    // a part of standard error
        const char* output; // written, or nullptr when nothing may be
    };
    const Row rows[] = {
        {"export common", "export van.k36 -o common.csv", 0, "", "common.csv"},
        {"export native", "export van.k36 -o native.csv --dialect native", 0, "", "native.csv"},
        {"import common into group 2", "import van.k36 common.csv -o two.k36 --group 2", 0, "", "two.k36"},
        {"import native", "import van.k36 native.csv -o same.k36", 0, "", "same.k36"},
        {"unknown dialect", "export van.k36 -o x.csv --dialect chirp", 105, "", nullptr},
        {"bad values refuse the file", "import van.k36 bad.csv -o refused.k36", 1,
         "line 3, column Frequency: 450.000000 MHz is outside the band", nullptr},
        {"skip-invalid imports the rest", "import van.k36 bad.csv -o skipped.k36 --skip-invalid", 0,
         "line 4, column Name: \"C?\" holds a character a tag cannot have", "skipped.k36"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TCliRun r = RunRk36(dir, row.args);
        EXPECT_EQ(r.Status, row.status) << r.Err;
        EXPECT_NE(r.Err.find(row.err), std::string::npos) << r.Err;
        if (row.output) {
            EXPECT_TRUE(fs::exists(dir / row.output));
        }
    }
    EXPECT_FALSE(fs::exists(dir / "refused.k36"));
    EXPECT_FALSE(fs::exists(dir / "x.csv"));
    // The native round trip leaves the data file as it was.
    std::ifstream a(dir / "van.k36", std::ios::binary), b(dir / "same.k36", std::ios::binary);
    EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(a), {}, std::istreambuf_iterator<char>(b), {}));
}

} // namespace
