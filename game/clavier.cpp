// Le clavier du plateau : chaque touche passe par les règles des clics, rien de plus.
#include "game/clavier.h"

#include <array>

#include "files/ecriture.h"
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
        if (curseurVisible) BasculerNote(curseurLigne, curseurColonne, touche.chiffre);
        return;
    case ToucheJeu::Espace: break;
    case ToucheJeu::Aucune: return;
    }
    // Chiffre, gomme, espace : puis le clic sur la case du curseur, s'il est montré.
    if (curseurVisible) CliquerCase(curseurLigne, curseurColonne);
}

void CPartie::DeplacerCurseur(int dLigne, int dColonne)
{
    if (!curseurVisible) {
        // Au premier appui, le curseur paraît sur la dernière case cliquée.
        curseurVisible = true;
        curseurLigne = derniereLigne;
        curseurColonne = derniereColonne;
    } else {
        curseurLigne = (curseurLigne + dLigne + 9) % 9;
        curseurColonne = (curseurColonne + dColonne + 9) % 9;
    }
    ihm.MontrerCurseur(curseurLigne, curseurColonne);
    MontrerAspects();
}

void CPartie::NoterCaseCliquee(int ligne, int colonne)
{
    derniereLigne = ligne;
    derniereColonne = colonne;
    caseCliquee = true;
    // Le curseur ne paraît qu'au premier appui d'une flèche ; ensuite il suit la souris.
    if (curseurVisible) MontrerCurseurSur(ligne, colonne);
    MontrerAspects();
}

void CPartie::MontrerCurseurSur(int ligne, int colonne)
{
    curseurVisible = true;
    curseurLigne = ligne;
    curseurColonne = colonne;
    ihm.MontrerCurseur(ligne, colonne);
    MontrerAspects();
}

void CPartie::Annuler()
{
    if (!grilleEnCours && !modeCreation) return;
    if (const Coup* coup = historique.Annuler()) Rejouer(*coup, true);
}

void CPartie::Refaire()
{
    if (!grilleEnCours && !modeCreation) return;
    if (const Coup* coup = historique.Refaire()) Rejouer(*coup, false);
}

void CPartie::Rejouer(const Coup& coup, bool enArriere)
{
    for (const NotesChangees& n : coup.notes) notes[n.caseNo] = enArriere ? n.avant : n.apres;
    if (CaseValide(coup.ligne, coup.colonne)) {
        grille.ChangerCase(coup.ligne, coup.colonne, enArriere ? coup.chiffreAvant : coup.chiffreApres,
                           enArriere ? coup.origineAvant : coup.origineApres);
        AfficherCase(coup.ligne, coup.colonne);
    } else {
        MontrerAspects();
    }
}

bool CPartie::PeutFermer(const std::string* cheminGarde)
{
    const bool laissee = cheminGarde != nullptr && *cheminGarde == partieLaissee;
    if (cheminGarde != nullptr && grilleEnCours) {
        // La partie part avec la fenêtre et reviendra : rien à demander.
        const Ecriture ecriture = laissee ? Ecriture::Echouee : Garder(*cheminGarde);
        if (ecriture == Ecriture::NonConfirmee) {
            ihm.Message("La partie en cours est gardée dans " + *cheminGarde +
                        ", mais le système n'a pas confirmé qu'elle est sur le disque : une coupure de courant "
                        "pourrait encore la perdre.");
        }
        if (ecriture != Ecriture::Echouee) return true;
        ihm.Message(laissee ? "La partie en cours n'est pas gardée dans " + *cheminGarde +
                                  " : le fichier qui s'y trouve n'a pas pu être repris au lancement, et le jeu ne "
                                  "le remplace pas."
                            : std::string(MessageGardeImpossible) + *cheminGarde);
    }
    // Une saisie commencée en mode création se perd aussi bien qu'une grille en jeu.
    const bool saisie = modeCreation && grille.CompterOrigine(Vide) < 81;
    // Cette question-ci n'est pas celle d'une commande : une touche Entrée tenue ne doit pas
    // y répondre « Oui » et perdre la partie.
    if ((grilleEnCours || saisie) && !ihm.Question(std::string(QuestionPerteGrille), BoutonParDefaut::Non)) {
        return false;
    }
    // La fermeture est décidée : sans grille en jeu, une partie gardée plus tôt ne doit pas revenir.
    if (cheminGarde != nullptr && !grilleEnCours && !laissee) EffacerFichier(*cheminGarde);
    return true;
}
