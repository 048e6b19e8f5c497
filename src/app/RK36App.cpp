// The editor's entry: one copy per user, then the main window.

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/Main.h"
#include "app/dc_GuiSeams.h"
#include "app/dc_Help.h"
#include "image/dc_DataFile.h"
#include "model/dc_ReportLayout.h"
#include "print/dc_PrtImg.h"

namespace {

// Where a per-user lock lives: the runtime folder is private to the user;
// the temporary folder is shared, so the user id goes into the name there.
QString LockFileName() {
    const QString name = ToQ(kAppTitle);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return QDir(QFile::decodeName(runtime)).filePath(name + QStringLiteral(".lock"));
    return QDir::temp().filePath(name + QStringLiteral(" %1.lock").arg(getuid()));
}

bool DisplayAvailable() {
#if defined(__linux__)
    const auto set = [](const char* var) {
        const char* v = std::getenv(var);
        return v && *v;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// For scripts/screenshot: once the main window is on screen, saves the whole
// screen (dialogs included) to `file` and ends the program.
void ScreenshotWhenShown(const QString& file, QPointer<QWidget>* window) {
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [=] {
        *waited += 200;
        const bool shown = *window && (*window)->isVisible();
        if (!shown && *waited < 20000) return;
        poll->stop();
        QTimer::singleShot(500, qApp, [=] {
            QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
            if (shot.isNull() && *window) shot = (*window)->grab();
            const bool saved = !shot.isNull() && shot.save(file);
            if (!saved) std::fprintf(stderr, "RK36: no screenshot saved\n");
            QCoreApplication::exit(saved ? 0 : 1);
        });
    });
    poll->start(200);
}

// Messages of a run without windows go to standard error.
class TStderrMessageSink : public IMessageSink {
  public:
    TMsgResult Show(const TMessage& message) override {
        std::fprintf(stderr, "RK36: %s\n", message.Text.c_str());
        return DefaultResult(message);
    }
};

// "RK36 --print-pdf OUT.pdf FILE [--fleet]": the report of FILE as a PDF,
// without a window and without the single-instance lock, for scripts.
int PrintPdf(int argc, char* argv[]) {
    if (argc < 4 || argc > 5 || (argc == 5 && std::string(argv[4]) != "--fleet")) {
        std::fprintf(stderr, "usage: RK36 --print-pdf OUT.pdf FILE [--fleet]\n");
        return 2;
    }
    if (!DisplayAvailable()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetProgramFolder(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    SetMessageSink(std::make_shared<TStderrMessageSink>());
    TRKmem model;
    TMap36 image;
    const std::string fileName = argv[3];
    const bool ok = LoadDataFile(fileName, model, image) &&
                    PrintReportToPdf(argv[2], BuildReport(model, fileName, argc == 5 ? 1 : 0));
    SetMessageSink(nullptr);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::string(argv[1]) == "--print-pdf") return PrintPdf(argc, argv);

    QLockFile instance(LockFileName());
    instance.setStaleLockTime(0);
    if (!instance.tryLock(0)) return 0; // another copy runs; it stays in front

    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "RK36: no display to open the editor on. Run it under a virtual display with "
                     "\"xvfb-run ./run\", or use the command-line tool \"rk36\" (build-run/src/rk36).\n");
        return 1;
    }

    QApplication app(argc, argv);
    SetProgramFolder(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    SetMessageSink(std::make_shared<TQtMessageSink>());
    SetHelpLanguage(-1);
    InstallDialogHelp();

    // QApplication has taken out the arguments that were its own.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    QPointer<QWidget> mainWindow;
    if (const char* shot = std::getenv("RK36_SCREENSHOT"); shot && *shot)
        ScreenshotWhenShown(QFile::decodeName(shot), &mainWindow);

    int result = 0;
    {
        TfrmMain frmMain(args);
        mainWindow = &frmMain;
        frmMain.show();
        result = app.exec();
    }
    SetMessageSink(nullptr);
    return result;
}
