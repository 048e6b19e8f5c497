// Peak memory of paging the print preview from the first page to the last:
// the largest report (252 pages) against a 3-page one, each in a process of
// its own. Pages are drawn as they come into view, so the ratio stays near 1;
// a preview that kept every page image would need 3.9 MB more per page.
//
//   bench_gui_preview

#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "print/D_Preview.h"

// Under AddressSanitizer freed memory waits in a quarantine of up to 256 MB,
// which would count every page image ever drawn; the figure is about what the
// preview holds.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";
}

namespace {

// Full pages: 62 lines of the widest report line.
TReport FullReport(int pages) {
    TReport report(static_cast<size_t>(pages));
    for (int p = 0; p < pages; ++p)
        for (int line = 0; line < 62; ++line)
            report[static_cast<size_t>(p)].Lines.push_back(
                {line, 0, std::string(94, static_cast<char>('A' + (p + line) % 26))});
    return report;
}

// Pages through a preview of `pages` pages; returns the milliseconds taken.
double PageThrough(int pages) {
    static int argc = 1;
    static char name[] = "bench_gui_preview";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    TPrintSettings settings;
    int pageMode = 0;
    TfrmPreview preview(FullReport(pages), settings, pageMode, "bench.K36");
    preview.resize(1000, 800);
    preview.show();
    QApplication::processEvents();
    const auto t0 = std::chrono::steady_clock::now();
    while (preview.btnNextPage->isEnabled()) {
        preview.btnNextPage->click();
        QApplication::processEvents();
    }
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

// Peak resident size of a child that pages through, in KiB.
long PeakKiB(int pages) {
    int pipeFd[2];
    if (pipe(pipeFd) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFd[0]);
        const double ms = PageThrough(pages);
        (void)!write(pipeFd[1], &ms, sizeof ms);
        _exit(0);
    }
    close(pipeFd[1]);
    double ms = 0;
    (void)!read(pipeFd[0], &ms, sizeof ms);
    close(pipeFd[0]);
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || status != 0) return -1;
    std::printf("%3d pages: peak RSS %7ld KiB, %.1f ms per page\n", pages, usage.ru_maxrss,
                pages > 1 ? ms / (pages - 1) : 0.0);
    return usage.ru_maxrss;
}

} // namespace

int main() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const long small = PeakKiB(3);
    const long large = PeakKiB(252);
    if (small <= 0 || large <= 0) return 1;
    std::printf("peak RSS 252 / 3 pages: %.2f (all 252 page images would be %ld KiB)\n",
                static_cast<double>(large) / static_cast<double>(small), 252L * 827 * 1169 * 4 / 1024);
    return 0;
}
