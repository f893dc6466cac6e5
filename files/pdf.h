// Un document PDF fait de traits et de textes, sans Qt : les pages que la ligne de commande
// écrit et que la fenêtre peint elle-même sur l'imprimante. Les mesures sont en points
// (1/72 de pouce), depuis le coin haut gauche de la page, y vers le bas.
#pragma once

#include <string>
#include <vector>

struct TraitPage {
    double x1, y1, x2, y2;
    double epaisseur;  // bouts carrés : deux traits qui se croisent ferment leur coin
};

enum class PolicePage { Normale, Grasse };  // Helvetica, Helvetica-Bold

struct TextePage {
    double x, y;  // début de la ligne de base
    double taille;
    PolicePage police = PolicePage::Normale;
    double gris = 0;  // 0 noir, 1 blanc
    std::string texte;  // UTF-8
};

struct Page {
    std::vector<TraitPage> traits;
    std::vector<TextePage> textes;
};

struct DocumentPages {
    double largeur = 0, hauteur = 0;
    std::vector<Page> pages;
};

// Largeur des chiffres 0 à 9 d'Helvetica (normale ou grasse), en fraction de la taille.
inline constexpr double ChasseChiffre = 0.556;
// Hauteur des chiffres au-dessus de la ligne de base, en fraction de la taille.
inline constexpr double HauteurChiffre = 0.703;

// Le fichier PDF : polices standard (rien d'incorporé), textes en WinAnsi (un caractère hors
// de la page 1252 devient « ? »), aucune date ni identifiant : le même document donne les
// mêmes octets partout.
std::string EnPdf(const DocumentPages& document);
