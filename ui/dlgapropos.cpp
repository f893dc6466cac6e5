#include "ui/dlgapropos.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "disposition/disposition.h"

CDlgAPropos::CDlgAPropos(const QIcon& icone, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("À propos de Novemia"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("icone"));
    image->setPixmap(icone.pixmap(48, 48));
    auto* texte = new QLabel(QStringLiteral("Novemia Version 1.0"), this);
    texte->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grille = new QGridLayout(this);
    grille->setContentsMargins(16, 12, 16, 12);
    grille->setHorizontalSpacing(16);
    grille->addWidget(image, 0, 0, 2, 1, Qt::AlignTop);
    grille->addWidget(texte, 0, 1, Qt::AlignTop | Qt::AlignLeft);
    grille->addWidget(ok, 0, 2, Qt::AlignTop);
    grille->setColumnStretch(1, 1);
    // 235 × 55 unités de dialogue.
    setFixedSize(disposition::EnPixelsX(235), disposition::EnPixelsY(55));
}
