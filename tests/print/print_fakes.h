#pragma once
// A printer list of the test's making whose every job goes to one PDF file,
// and a way to answer the modal windows the print commands open.

#include <QApplication>
#include <QPdfWriter>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "print/dc_Printers.h"

class TFakePrinters : public IPrinters {
  public:
    struct TJob {
        QString Printer;
        TPaperKind Paper;
    };
    QStringList List;
    QString Default;
    std::map<QString, int32_t> Papers; // a printer missing here cannot be read
    std::filesystem::path PdfFile;     // where every job goes; empty: jobs are called off
    std::vector<TJob> Jobs;

    QStringList Names() const override { return List; }
    QString DefaultName() const override { return Default; }
    std::optional<int32_t> PaperCode(const QString& name) const override {
        const auto it = Papers.find(name);
        return it == Papers.end() ? std::nullopt : std::optional<int32_t>(it->second);
    }
    std::unique_ptr<QPagedPaintDevice> CreateTarget(const QString& name, TPaperKind paper,
                                                    const std::filesystem::path&) override {
        Jobs.push_back({name, paper});
        if (PdfFile.empty()) return nullptr;
        return NewPdfWriter(PdfFile, paper);
    }
};

class TScopedPrinters {
  public:
    TScopedPrinters() : printers_(std::make_shared<TFakePrinters>()) { previous_ = SetPrinters(printers_); }
    ~TScopedPrinters() { SetPrinters(previous_); }
    TScopedPrinters(const TScopedPrinters&) = delete;
    TScopedPrinters& operator=(const TScopedPrinters&) = delete;
    TFakePrinters* operator->() { return printers_.get(); }

  private:
    std::shared_ptr<TFakePrinters> printers_;
    std::shared_ptr<IPrinters> previous_;
};

// Runs `answer` on the next modal window of type T once it is open. Any
// other window fails the test and is closed, so that the test goes on.
template <class T> void WhenModal(std::function<void(T&)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<T*>(modal)) return answer(*window);
        ADD_FAILURE() << "expected a " << T::staticMetaObject.className() << ", found "
                      << (modal ? modal->metaObject()->className() : "none");
        if (modal) modal->close();
    });
}
