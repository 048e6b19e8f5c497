#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "link/dc_TracePort.h"
#include "link_fakes.h"

TEST(TracePort, LogsEachDirectionWithTimeStampAndHex) {
    TVirtualClock clock;
    TRadioEmulator radio;
    radio.ModelCode = 0x61;
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    ASSERT_NE(out, nullptr);
    {
        TTracePort port(std::make_unique<TEmuPort>(clock, radio), out, clock);
        ASSERT_EQ(port.Open("COM2"), 0);
        const uint8_t bytes[] = {0x18, 0x61};
        port.Write(bytes, 1);
        port.Write(bytes + 1, 1);
        uint8_t buf[8];
        int32_t got = 0;
        port.Read(8, buf, got);
        EXPECT_EQ(got, 3);
        port.Read(8, buf, got); // nothing more: no line
        port.Close();
    }
    std::fclose(out);
    EXPECT_EQ(std::string(text, size), "0 open COM2\n100 tx 18\n200 tx 61\n200 rx 18 61 31\n200 close\n");
    std::free(text);
}
