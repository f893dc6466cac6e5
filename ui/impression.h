// Les grilles sur papier, côté fenêtre : la boîte « Imprimer des grilles… » et les pages de
// game/impression.h peintes sur une imprimante (ou un fichier PDF) par QPainter.
#pragma once

#include <QDialog>
#include <span>

#include "game/ihm.h"
#include "game/impression.h"

class QComboBox;
class QPainter;
class QPrinter;
class QSpinBox;

// Le niveau, le nombre de grilles et combien par page.
class CDlgGrillesAImprimer : public QDialog {
    Q_OBJECT
public:
    CDlgGrillesAImprimer(const DemandeGrilles& depart, QWidget* parent);
    DemandeGrilles Demande() const;

    QComboBox* niveau;
    QSpinBox* nombre;
    QComboBox* parPage;
};

// Peint une page ; `echelle` : unités du périphérique par point.
void PeindrePage(QPainter& peintre, const Page& page, double echelle);

// Met les grilles en pages au format du papier de l'imprimante et les y peint (seulement les
// pages demandées dans le dialogue). Faux si l'imprimante n'a pas pu les prendre.
bool ImprimerPages(QPrinter& imprimante, std::span<const GrilleImprimee> grilles, int parPage);
