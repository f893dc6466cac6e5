// Ce qu'un lecteur d'écran (Orca, ou tout client AT-SPI) voit des étiquettes de la fenêtre :
// un nom qui dit où est la case et ce qu'elle porte, le rôle de chaque entrée de la palette
// et son état (choisie, allumée), la ligne d'état, et la case du curseur du clavier comme
// objet qui a le focus.
#pragma once

#include <QAccessibleWidget>

class CColorLabel;

// Le rôle d'une étiquette pour les lecteurs d'écran.
enum class RoleAccessible {
    Texte,    // une étiquette ordinaire
    Case,     // une case du plateau : le curseur du clavier lui donne le focus
    Choix,    // « Chiffre 1 » à « Chiffre 9 », « Gomme » : une seule choisie à la fois
    Bascule,  // « Mode hypothèse » : allumé ou éteint
    Etat,     // la ligne d'état
};

class CAccessibleEtiquette : public QAccessibleWidget {
public:
    explicit CAccessibleEtiquette(CColorLabel* etiquette);

    QString text(QAccessible::Text genre) const override;
    QAccessible::State state() const override;

    // Installée une fois pour toutes, au premier CColorLabel.
    static QAccessibleInterface* Fabrique(const QString& classe, QObject* objet);

private:
    CColorLabel* Etiquette() const;
};
