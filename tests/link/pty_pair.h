#pragma once
// A pseudo-terminal pair: the test holds the master side, the driver under
// test opens the slave by its path.

#include <fcntl.h>
#include <stdlib.h>
#include <string>
#include <unistd.h>

struct TPtyPair {
    int Master = -1;
    std::string SlavePath;

    TPtyPair() {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0) return;
        char name[128] = {};
        if (ptsname_r(Master, name, sizeof name) == 0) SlavePath = name;
    }
    ~TPtyPair() {
        if (Master >= 0) close(Master);
    }
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;
};
