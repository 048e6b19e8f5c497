// Switching group pages in the channel grid: a full page of 250 channels
// written back and shown again (F2), against filling a plain string table of
// the same size with ready-made texts. Both include one synchronous repaint.
//
//   bench_gui_grid [iterations]

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/dc_ChannelGrid.h"
#include "bench_support.h"
#include "model/dc_Rules.h"

using namespace bench;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    auto state = std::make_unique<TEditorState>();
    TRKmem& m = state->Model;
    FillModel(m);

    TChannelGrid grid(*state);
    grid.resize(1400, 900);
    grid.show();
    grid.ShowGroupPage(0);
    grid.ApplyColumnLayout();
    QApplication::processEvents();

    // The baseline: the same 250 x 28 texts put into a plain string table.
    std::vector<QString> texts;
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < kGridColumnCount; ++c)
            texts.push_back(QString::fromLatin1(grid.CellText(c, r).c_str()));
    QTableWidget plain(grid.RowCount(), kGridColumnCount);
    plain.verticalHeader()->setDefaultSectionSize(TChannelGrid::kRowHeight);
    for (int c = 0; c < kGridColumnCount; ++c)
        plain.setColumnWidth(c, ChannelColumns[static_cast<size_t>(c)].Width);
    for (int r = 0; r < plain.rowCount(); ++r)
        for (int c = 0; c < kGridColumnCount; ++c)
            plain.setItem(r, c, new QTableWidgetItem);
    plain.resize(1400, 900);
    plain.show();
    QApplication::processEvents();

    std::vector<double> show, store, pageSwitch, baseline;
    for (int i = 0; i < iterations; ++i) {
        show.push_back(TimeMs([&] {
            grid.ShowGroupPage(0);
            grid.grdCh->viewport()->repaint();
        }));
        store.push_back(TimeMs([&] { grid.StoreGridPage(); }));
        pageSwitch.push_back(TimeMs([&] {
            grid.NextGroupPage(); // store, then the next group (the same one here: it is the only one)
            grid.grdCh->viewport()->repaint();
        }));
        baseline.push_back(TimeMs([&] {
            size_t k = 0;
            for (int r = 0; r < plain.rowCount(); ++r)
                for (int c = 0; c < kGridColumnCount; ++c)
                    plain.item(r, c)->setText(texts[k++]);
            plain.viewport()->repaint();
        }));
    }
    const double b = Median(baseline);
    std::printf("250 channels, 28 columns, %d iterations, medians:\n", iterations);
    std::printf("  plain text fill + repaint (baseline): %8.3f ms\n", b);
    std::printf("  ShowGroupPage + repaint:               %8.3f ms  (%.2f x baseline)\n", Median(show),
                Median(show) / b);
    std::printf("  StoreGridPage:                         %8.3f ms  (%.2f x baseline)\n", Median(store),
                Median(store) / b);
    std::printf("  F2 page switch (store+show+repaint):   %8.3f ms  (%.2f x baseline)\n", Median(pageSwitch),
                Median(pageSwitch) / b);
    return 0;
}
