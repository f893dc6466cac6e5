// Le clavier du plateau : chaque touche passe par les règles des clics, rien de plus ; et le
// curseur qu'elles mènent, qui paraît d'abord sur la dernière case cliquée.
#include "game/clavier.h"

#include <array>

#include "game/partie.h"

namespace {

// La rangée des chiffres d'un clavier français, sans majuscule : 1 à 9.
constexpr std::array<std::string_view, 9> RangeeAzerty{"&", "é", "\"", "'", "(", "-", "è", "_", "ç"};

}  // namespace

Touche ToucheDuTexte(std::string_view texte)
{
    if (texte.size() == 1 && texte[0] >= '1' && texte[0] <= '9') return {ToucheJeu::Chiffre, texte[0] - '0'};
    for (std::size_t k = 0; k < RangeeAzerty.size(); ++k) {
        if (texte == RangeeAzerty[k]) return {ToucheJeu::Chiffre, static_cast<int>(k) + 1};
    }
    if (texte == "0" || texte == "à") return {ToucheJeu::Gomme};
    if (texte == "?" || texte == "h" || texte == "H") return {ToucheJeu::Hypothese};
    if (texte == " ") return {ToucheJeu::Espace};
    return {};
}

Touche NoteDuTexte(std::string_view texte)
{
    const Touche touche = ToucheDuTexte(texte);
    return touche.genre == ToucheJeu::Chiffre ? Touche{ToucheJeu::Note, touche.chiffre} : Touche{};
}

void CPartie::Appuyer(Touche touche)
{
    if (etatInterface.pause) return;
    switch (touche.genre) {
    case ToucheJeu::Haut: DeplacerCurseur(-1, 0); return;
    case ToucheJeu::Bas: DeplacerCurseur(1, 0); return;
    case ToucheJeu::Gauche: DeplacerCurseur(0, -1); return;
    case ToucheJeu::Droite: DeplacerCurseur(0, 1); return;
    case ToucheJeu::Chiffre:
        if (touche.chiffre < 1 || touche.chiffre > 9) return;
        CliquerPalette(touche.chiffre - 1);
        break;
    case ToucheJeu::Gomme: CliquerPalette(9); break;
    case ToucheJeu::Hypothese: CliquerPalette(10); return;
    case ToucheJeu::Note:
        // La note va à la case du curseur ; la palette garde son choix.
        if (const auto curseur = etatInterface.curseur) BasculerNote(curseur->first, curseur->second, touche.chiffre);
        return;
    case ToucheJeu::Espace: break;
    case ToucheJeu::Aucune: return;
    }
    // Chiffre, gomme, espace : puis le clic sur la case du curseur, s'il est montré.
    if (const auto curseur = etatInterface.curseur) CliquerCase(curseur->first, curseur->second);
}

void CPartie::DeplacerCurseur(int dLigne, int dColonne)
{
    const auto& curseur = etatInterface.curseur;
    // Au premier appui, le curseur paraît sur la dernière case cliquée.
    if (!curseur) {
        const Coordonnee depart = etatInterface.caseCliquee.value_or(Coordonnee(0, 0));
        MontrerCurseurSur(depart.first, depart.second);
    } else {
        MontrerCurseurSur((curseur->first + dLigne + 9) % 9, (curseur->second + dColonne + 9) % 9);
    }
}

void CPartie::NoterCaseCliquee(int ligne, int colonne)
{
    etatInterface.caseCliquee = Coordonnee(ligne, colonne);
    // Le curseur ne paraît qu'au premier appui d'une flèche ; ensuite il suit la souris.
    if (etatInterface.curseur) MontrerCurseurSur(ligne, colonne);
    MontrerAspects();
}

void CPartie::MontrerCurseurSur(int ligne, int colonne)
{
    etatInterface.curseur = Coordonnee(ligne, colonne);
    ihm.MontrerCurseur(ligne, colonne);
    MontrerAspects();
}
