// Étiquette de texte dont la couleur et la police se choisissent à l'exécution, et qui écrit
// son texte directement sur ce que la fenêtre parente a peint dessous (le skin) : elle n'a
// aucun fond à elle et laisse passer les clics vers la fenêtre.
#pragma once

#include <QFont>
#include <QLabel>
#include <string>

#include "skin/configuration.h"
#include "ui/accessible.h"

class CColorLabel : public QLabel {
    Q_OBJECT
public:
    explicit CColorLabel(QWidget* parent = nullptr);

    void ChangerTexte(const std::string& texte, bool redessiner);
    void ChangerCouleurTexte(Couleur couleur, bool redessiner);
    void ChangerNomPolice(const std::string& nom, bool redessiner);
    void ChangerTaillePolice(int hauteur, bool redessiner);  // hauteur des caractères en pixels
    void ChangerGras(bool gras, bool redessiner);
    void ChangerBarre(bool barre, bool redessiner);  // un trait à travers le texte
    // Le plateau agrandi : le texte est peint à cette échelle, la police garde sa taille.
    void ChangerEchelle(qreal echelle);
    // Fait repeindre par le parent la zone sous l'étiquette (rétrécie de 2 px de chaque
    // côté) : le fond du skin revient sous le nouveau texte.
    void Redessiner();

    // Pour les lecteurs d'écran (ui/accessible.h) : le rôle, le nom, et l'état d'une entrée de
    // la palette ou de la case du curseur ; chaque changement est annoncé.
    void ChangerAccessibilite(RoleAccessible role, const std::string& nom = {});
    void ChangerNomAccessible(const std::string& nom);
    void ChangerCoche(bool coche);
    void ChangerFocusClavier(bool focus);
    RoleAccessible roleAccessible = RoleAccessible::Texte;
    bool coche = false;
    bool focusClavier = false;

    std::string Texte() const { return text().toStdString(); }
    Couleur CouleurTexte() const { return couleurTexte; }
    const QFont& Police() const { return police; }
    // Le texte dépasse-t-il la largeur où il est peint, à l'échelle du plateau ?
    bool TexteCoupe() const;

    // 0x00BBGGRR vers QColor et retour.
    static QColor VersQColor(Couleur couleur);
    static Couleur DepuisQColor(const QColor& couleur);

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    Couleur couleurTexte;
    QFont police;  // ne change que par les opérations ci-dessus, jamais en peignant
    qreal echelle = 1;
};
