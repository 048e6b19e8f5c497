// One QApplication for every GUI test: Qt allows only one per process.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    // Nothing a test does may land in the user's own data folder.
    const std::string dataHome =
        (std::filesystem::temp_directory_path() / ("rk36-gui-data-" + std::to_string(getpid()))).string();
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(dataHome, ec);
    return result;
}
