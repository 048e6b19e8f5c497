#include "app/D_Pass.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dc_GuiSeams.h"
#include "dialogs/DlgBase.h"

TfrmPass::TfrmPass(QWidget* parent) : QDialog(parent, DialogWindowFlags()) {
    setWindowTitle(QStringLiteral("Password"));
    medtPass = new QLineEdit(this);
    medtPass->setObjectName(QStringLiteral("medtPass"));
    medtPass->setEchoMode(QLineEdit::Password);
    // The access code has always been masked with "*", not the style's bullet.
    medtPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    // No input method: the code is plain ASCII and a composing IME would show it.
    medtPass->setAttribute(Qt::WA_InputMethodEnabled, false);

    const TOkCancel okCancel = MakeOkCancel(this, "btnOk", "btnCan");
    btnOk = okCancel.Ok;
    btnCan = okCancel.Cancel;
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    QHBoxLayout* buttons = okCancel.Row;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(medtPass);
    layout->addLayout(buttons);
    setFixedSize(260, 100);
}

void TfrmPass::done(int result) {
    password_ = FromQ(medtPass->text());
    QDialog::done(result);
}
