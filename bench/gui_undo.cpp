// Undo as whole snapshots, against what the editor does anyway: taking a
// snapshot against one decode of the image, and undoing a paste (the
// configuration restored and its page shown again) against an F2 page switch.
//
//   bench_gui_undo [iterations]

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/dc_ChannelGrid.h"
#include "bench_support.h"
#include "model/dc_MessageBox.h"

using namespace bench;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;

    auto state = std::make_unique<TEditorState>();
    FillModel(state->Model);
    state->Image.Encode(state->Model, false);
    state->History.Clear();

    TChannelGrid grid(*state);
    grid.resize(1400, 900);
    grid.show();
    grid.ShowGroupPage(0);
    grid.ApplyColumnLayout();
    QApplication::processEvents();
    TScopedMessages messages; // the paste question takes its preselected Yes
    grid.SetCurrentCell(gcChn, 0);
    grid.Copy();

    std::vector<double> decode, snapshot, pageSwitch, undo;
    size_t sink = 0;
    for (int i = 0; i < iterations; ++i) {
        TRKmem scratch;
        decode.push_back(TimeMs([&] { state->Image.Decode(scratch); }));
        snapshot.push_back(TimeMs([&] { sink += state->Snapshot().CurrentFileName.size(); }));
        pageSwitch.push_back(TimeMs([&] {
            grid.NextGroupPage();
            grid.grdCh->viewport()->repaint();
        }));
        grid.SetCurrentCell(gcChn, 5);
        grid.Paste();
        if (!state->History.CanUndo()) {
            std::fprintf(stderr, "the paste made no step\n");
            return 1;
        }
        undo.push_back(TimeMs([&] {
            state->Undo();
            grid.ShowGroupPage(grid.CurrentGroup);
            grid.grdCh->viewport()->repaint();
        }));
    }
    const double d = Median(decode), p = Median(pageSwitch);
    std::printf("250 channels, %d iterations, medians:\n", iterations);
    std::printf("  image decode (baseline):             %8.3f ms\n", d);
    std::printf("  snapshot:                            %8.3f ms  (%.2f x decode)\n", Median(snapshot),
                Median(snapshot) / d);
    std::printf("  F2 page switch (baseline):           %8.3f ms\n", p);
    std::printf("  undo of a paste + page + repaint:    %8.3f ms  (%.2f x page switch)\n", Median(undo),
                Median(undo) / p);
    return static_cast<int>(sink & 0);
}
