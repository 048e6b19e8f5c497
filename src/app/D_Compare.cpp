#include "app/D_Compare.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dc_EditorState.h"
#include "app/dc_FileCommands.h"
#include "app/dc_GuiSeams.h"
#include "app/dc_Help.h"
#include "dialogs/DlgBase.h"
#include "image/dc_DataFile.h"

namespace {

constexpr const char* kEqual = "The configurations are equal.";

// A value as the list shows it: texts quoted (their bytes are Latin-1), the
// rest as `rk36 dump` writes it.
QString ValueText(const TJson& value) {
    std::string bytes;
    if (value.is_string() && Utf8ToBytes(value.get<std::string>(), bytes))
        return QStringLiteral("\"") + ToQ(bytes) + QStringLiteral("\"");
    return ToQ(value.dump());
}

} // namespace

TfrmCompare::TfrmCompare(QWidget* parent, const std::string& fileName,
                         const std::vector<TFieldDifference>& differences)
    : QDialog(parent, DialogWindowFlags()) {
    setWindowTitle(QStringLiteral("Compare with File"));
    lblFile = new QLabel(QStringLiteral("Compared with ") + PathToQ(fileName), this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblEqual = new QLabel(ToQ(kEqual), this);
    lblEqual->setObjectName(QStringLiteral("lblEqual"));

    grdDiff = new QTableWidget(static_cast<int>(differences.size()), 4, this);
    grdDiff->setObjectName(QStringLiteral("grdDiff"));
    grdDiff->setHorizontalHeaderLabels({QStringLiteral("Field"), QStringLiteral("Channel"),
                                        QStringLiteral("This configuration"), QStringLiteral("File")});
    grdDiff->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdDiff->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdDiff->verticalHeader()->hide();
    for (int row = 0; row < grdDiff->rowCount(); ++row) {
        const TFieldDifference& d = differences[static_cast<size_t>(row)];
        const QString texts[] = {ToQ(d.Key), ToQ(d.Label), ValueText(d.A), ValueText(d.B)};
        for (int col = 0; col < 4; ++col)
            grdDiff->setItem(row, col, new QTableWidgetItem(texts[col]));
    }
    grdDiff->resizeColumnsToContents();
    grdDiff->setMinimumSize(640, 320);
    grdDiff->setVisible(!differences.empty());
    lblEqual->setVisible(differences.empty());

    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile);
    layout->addWidget(lblEqual);
    layout->addWidget(grdDiff);
    layout->addLayout(buttons);
}

void TfrmCompare::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(kCompareHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CompareWithFile(QWidget* parent, TEditorState& state) {
    TFileDialogRequest request{QStringLiteral("Compare with File"),
                               std::filesystem::path(state.CurrentFolder), OpenDataFilter(), ""};
    const auto chosen = FileDialogs().OpenFile(request);
    if (!chosen) return;
    TRKmem other;
    TMap36 image;
    if (!LoadDataFile(*chosen, other, image, state.CodecContext())) return;
    TfrmCompare dialog(parent, chosen->string(), DiffModels(state.Model, other));
    dialog.exec();
}
