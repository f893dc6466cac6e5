// Les notes du joueur, et l'aspect des cases qui s'ajoute à leur chiffre : notes visibles,
// chiffres en conflit, surlignage autour de la case choisie.
#include <array>
#include <vector>

#include "engine/raisonnement.h"
#include "game/partie.h"

namespace {

constexpr uint16_t BitChiffre(int32_t chiffre) { return static_cast<uint16_t>(1u << (chiffre - 1)); }

}  // namespace

void CPartie::BasculerNote(int ligne, int colonne, int chiffre)
{
    // Les notes aident à jouer une grille : pas en saisie, pas sur un chiffre posé.
    if (!grilleEnCours || modeCreation) return;
    if (!CaseValide(ligne, colonne) || chiffre < 1 || chiffre > 9) return;
    if (grille.LireCase(ligne, colonne).chiffre != 0) return;
    const int i = ligne * 9 + colonne;
    NoterNotes({{i, notes[i], static_cast<uint16_t>(notes[i] ^ BitChiffre(chiffre))}});
}

void CPartie::CliquerCaseDroit(int ligne, int colonne)
{
    if (!CaseValide(ligne, colonne) || etatInterface.pause) return;
    NoterCaseCliquee(ligne, colonne);
    const int32_t chiffreSelectionne = etatInterface.chiffreSelectionne;
    if (chiffreSelectionne >= 1 && chiffreSelectionne <= 9) {
        BasculerNote(ligne, colonne, chiffreSelectionne);
    } else if (chiffreSelectionne == 0 && grilleEnCours && !modeCreation &&
               grille.LireCase(ligne, colonne).chiffre == 0) {
        const int i = ligne * 9 + colonne;
        NoterNotes({{i, notes[i], 0}});
    }
}

void CPartie::OnNoterCandidats()
{
    if (!grilleEnCours || modeCreation) return;
    aidee = true;
    const Position position = LirePosition(grille);
    const Candidats candidats = CandidatsDe(position);
    std::vector<NotesChangees> changees;
    for (int i = 0; i < 81; ++i)
        if (position[i] == 0) changees.push_back({i, notes[i], candidats[i]});
    NoterNotes(std::move(changees));
}

std::vector<NotesChangees> CPartie::OterDesVoisines(int ligne, int colonne, int32_t chiffre)
{
    std::vector<NotesChangees> changees;
    if (chiffre < 1 || chiffre > 9) return changees;
    const uint16_t bit = BitChiffre(chiffre);
    for (int j = 0; j < 81; ++j) {
        if ((notes[j] & bit) && Voisines(ligne * 9 + colonne, j)) {
            changees.push_back({j, notes[j], static_cast<uint16_t>(notes[j] & ~bit)});
            notes[j] = changees.back().apres;
        }
    }
    return changees;
}

void CPartie::NoterNotes(std::vector<NotesChangees> changees)
{
    std::erase_if(changees, [](const NotesChangees& n) { return n.avant == n.apres; });
    if (changees.empty()) return;
    for (const NotesChangees& n : changees) notes[n.caseNo] = n.apres;
    historique.Noter({-1, -1, 0, Vide, 0, Vide, std::move(changees)});
    MontrerAspects();
}

void CPartie::ChangerOptions(const OptionsPartie& nouvelles)
{
    etatInterface.options = nouvelles;
    MontrerAspects();
}

std::optional<Coordonnee> CPartie::CaseChoisie() const
{
    return etatInterface.curseur ? etatInterface.curseur : etatInterface.caseCliquee;
}

AspectCase CPartie::CalculerAspect(int ligne, int colonne) const
{
    AspectCase aspect;
    const int i = ligne * 9 + colonne;
    const int32_t chiffre = grille.LireCase(ligne, colonne).chiffre;
    if (chiffre == 0) aspect.notes = notes[i];
    // Sans grille ni saisie, le plateau vide n'a rien à teinter.
    if (!grilleEnCours && !modeCreation) return aspect;
    const OptionsPartie& options = etatInterface.options;
    if (options.montrerConflits && chiffre != 0) {
        for (int j = 0; j < 81; ++j) {
            if (Voisines(i, j) && grille.LireCase(j / 9, j % 9).chiffre == chiffre) {
                aspect.teintes |= TeinteConflit;
                break;
            }
        }
    }
    if (options.surligner) {
        const int32_t choisi = etatInterface.chiffreSelectionne;
        if (chiffre == 0 && choisi >= 1 && choisi <= 9 && (CandidatsDe(LirePosition(grille))[i] & BitChiffre(choisi)))
            aspect.teintes |= TeintePossible;
        if (const auto choisie = CaseChoisie()) {
            const int k = choisie->first * 9 + choisie->second;
            if (k == i || Voisines(k, i)) aspect.teintes |= TeinteUnite;
            const int32_t chiffreChoisi = grille.LireCase(choisie->first, choisie->second).chiffre;
            if (chiffreChoisi != 0 && k != i && chiffre == chiffreChoisi) aspect.teintes |= TeinteMemeChiffre;
        }
    }
    return aspect;
}

void CPartie::MontrerAspects()
{
    for (int i = 0; i < 81; ++i) {
        const AspectCase aspect = CalculerAspect(i / 9, i % 9);
        if (aspect == etatInterface.aspectsMontres[i]) continue;
        etatInterface.aspectsMontres[i] = aspect;
        ihm.MontrerAspect(i / 9, i % 9, aspect);
    }
    // Les chiffres posés neuf fois, avec le surlignage.
    uint16_t finis = 0;
    if (etatInterface.options.surligner && (grilleEnCours || modeCreation)) {
        std::array<int, 10> poses{};
        for (int i = 0; i < 81; ++i) ++poses[grille.LireCase(i / 9, i % 9).chiffre];
        for (int32_t d = 1; d <= 9; ++d)
            if (poses[d] == 9) finis |= BitChiffre(d);
    }
    if (finis != etatInterface.chiffresFinisMontres) {
        etatInterface.chiffresFinisMontres = finis;
        ihm.MontrerChiffresFinis(finis);
    }
    SuivreTemps();
}
