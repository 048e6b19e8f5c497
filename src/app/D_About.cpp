#include "app/D_About.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dc_Help.h"
#include "dialogs/DlgBase.h"

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent, DialogWindowFlags()) {
    setWindowTitle(QStringLiteral("About"));
    lblVersion = new QLabel(QStringLiteral("RK36 Ver.5.01"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblFileVersion = new QLabel(QStringLiteral("File version 4.0.5"), this);
    lblFileVersion->setObjectName(QStringLiteral("lblFileVersion"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblVersion, 0, Qt::AlignHCenter);
    layout->addWidget(lblFileVersion, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
}

void TfrmAbout::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape: // the box has nothing to cancel
        accept();
        return;
    case Qt::Key_F1:
        ShowHelp(0);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TfrmAbout::Execute(QWidget* parent) {
    TfrmAbout dialog(parent);
    dialog.exec();
}
