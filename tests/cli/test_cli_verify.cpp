// `rk36 verify` and `rk36 write --verify` against radio-sim on a
// pseudo-terminal, in real time.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "cli_radio_support.h"

TEST_F(CliRadioTest, AVerifiedWriteIsEqualAndAFaultAfterItIsNamed) {
    TRKmem model;
    const fs::path file = DataFile("file.k36", 22, &model);
    // A radio of the same model (so the search's first guess is right) whose
    // channel table the write replaces.
    const fs::path radioFile = DataFile("radio.k36", 22, nullptr, true);
    {
        TMap36 radio;
        TRKmem ignored;
        TScopedMessages quiet;
        ASSERT_TRUE(LoadDataFile(radioFile, ignored, radio));
        std::fill(radio.Buf.begin() + 0x0C00, radio.Buf.begin() + 0x2D34, 0xFF);
        ASSERT_TRUE(WriteDataFile(radioFile, radio));
    }
    TMap36 expected;
    {
        TScopedMessages quiet;
        ASSERT_TRUE(LoadDataFile(file, model, expected));
    }
    expected.Encode(model, true);
    char poke[16];
    std::snprintf(poke, sizeof poke, "8c22:%02x", expected.Buf[0x0C22] ^ 0xFF);
    TChild sim({kRadioSim, "--image", radioFile.string(), "--poke", poke});
    const std::string port = sim.FirstLine();
    ASSERT_TRUE(port.starts_with("/dev/")) << port;

    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Rk36({"write", port, file.string(), "--verify"}), 0) << Err();
    const auto writeMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_NE(Err().find("Download is completed"), std::string::npos) << Err();

    start = std::chrono::steady_clock::now();
    EXPECT_EQ(Rk36({"verify", port, file.string()}), 7) << Err();
    const auto verifyMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_NE(Err().find("Verify failed: channel table differs at 0x8c22"), std::string::npos) << Err();
    RecordProperty("WriteVerifyMs", static_cast<int>(writeMs.count()));
    RecordProperty("VerifyMs", static_cast<int>(verifyMs.count()));
}
