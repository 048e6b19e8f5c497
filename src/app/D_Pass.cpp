#include "app/D_Pass.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmPass::TfrmPass(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Password"));
    medtPass = new QLineEdit(this);
    medtPass->setObjectName(QStringLiteral("medtPass"));
    medtPass->setEchoMode(QLineEdit::Password);
    // No input method: the code is plain ASCII and a composing IME would show it.
    medtPass->setAttribute(Qt::WA_InputMethodEnabled, false);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCan = new QPushButton(QStringLiteral("Cancel"), this);
    btnCan->setObjectName(QStringLiteral("btnCan"));
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCan, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCan);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(medtPass);
    layout->addLayout(buttons);
    setFixedSize(260, 100);
}

void TfrmPass::done(int result) {
    password_ = medtPass->text().toLatin1().toStdString();
    QDialog::done(result);
}
