#include "ui/impression.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

CDlgGrillesAImprimer::CDlgGrillesAImprimer(const DemandeGrilles& depart, QWidget* parent)
    : QDialog(parent), niveau(new QComboBox(this)), nombre(new QSpinBox(this)), parPage(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Imprimer des grilles"));
    for (auto n : {Facile, Moyen, Difficile, Diabolique}) {
        QString mot = QString::fromUtf8(MotNiveau(n).data(), static_cast<qsizetype>(MotNiveau(n).size()));
        niveau->addItem(mot.left(1).toUpper() + mot.mid(1), n);
    }
    niveau->setCurrentIndex(niveau->findData(depart.niveau));
    nombre->setRange(1, 100);
    nombre->setValue(depart.nombre);
    for (const int n : ParPagePossibles) parPage->addItem(QString::number(n), n);
    parPage->setCurrentIndex(std::max(0, parPage->findData(depart.parPage)));
    niveau->setObjectName(QStringLiteral("niveau"));
    nombre->setObjectName(QStringLiteral("nombre"));
    parPage->setObjectName(QStringLiteral("parPage"));

    auto* boutons = new QDialogButtonBox(this);
    boutons->addButton(QStringLiteral("Imprimer…"), QDialogButtonBox::AcceptRole)->setDefault(true);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* formulaire = new QFormLayout(this);
    formulaire->addRow(QStringLiteral("&Niveau :"), niveau);
    formulaire->addRow(QStringLiteral("No&mbre de grilles :"), nombre);
    formulaire->addRow(QStringLiteral("Grilles par &page :"), parPage);
    formulaire->addRow(boutons);
}

DemandeGrilles CDlgGrillesAImprimer::Demande() const
{
    return {static_cast<NiveauGrille>(niveau->currentData().toInt()), nombre->value(), parPage->currentData().toInt()};
}

void PeindrePage(QPainter& peintre, const Page& page, double echelle)
{
    peintre.setRenderHint(QPainter::Antialiasing);
    for (const TraitPage& t : page.traits) {
        peintre.setPen(QPen(Qt::black, t.epaisseur * echelle, Qt::SolidLine, Qt::SquareCap));
        peintre.drawLine(QPointF(t.x1 * echelle, t.y1 * echelle), QPointF(t.x2 * echelle, t.y2 * echelle));
    }
    // Helvetica, ou une police de mêmes chasses (Liberation Sans, Arial) : les textes tombent
    // aux places que la mise en page a comptées pour elle.
    QFont police;
    police.setFamilies({QStringLiteral("Helvetica"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    police.setStyleHint(QFont::Helvetica);
    for (const TextePage& t : page.textes) {
        police.setBold(t.police == PolicePage::Grasse);
        // Une taille en points vaut résolution / 72 pixels du périphérique.
        police.setPointSizeF(t.taille * echelle * 72.0 / peintre.device()->logicalDpiY());
        peintre.setFont(police);
        peintre.setPen(QColor::fromRgbF(static_cast<float>(t.gris), static_cast<float>(t.gris), static_cast<float>(t.gris)));
        peintre.drawText(QPointF(t.x * echelle, t.y * echelle), QString::fromStdString(t.texte));
    }
}

bool ImprimerPages(QPrinter& imprimante, std::span<const GrilleImprimee> grilles, int parPage)
{
    imprimante.setFullPage(true);
    const QRectF papier = imprimante.pageLayout().fullRect(QPageLayout::Point);
    const DocumentPages document = MettreEnPages(grilles, parPage, papier.width(), papier.height());
    const int nombre = static_cast<int>(document.pages.size());
    // Les pages demandées dans le dialogue (0, 0 : toutes).
    const int premiere = imprimante.fromPage() > 0 ? std::min(imprimante.fromPage(), nombre) : 1;
    const int derniere = imprimante.toPage() > 0 ? std::min(imprimante.toPage(), nombre) : nombre;
    QPainter peintre;
    if (!peintre.begin(&imprimante)) return false;
    const double echelle = imprimante.resolution() / 72.0;
    for (int p = premiere; p <= derniere; ++p) {
        if (p > premiere && !imprimante.newPage()) return false;
        PeindrePage(peintre, document.pages[p - 1], echelle);
    }
    return peintre.end();
}
