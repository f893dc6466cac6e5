// Le générateur de grilles : 18 indices semés au hasard, complétés par le pilote, puis des
// indices ajoutés ou retirés selon la profondeur d'hypothèses dont le pilote a eu besoin.
// Chaque tirage suit un ordre fixe, si bien qu'une graine donne toujours les mêmes grilles.
#include <array>
#include <string>

#include "game/partie.h"

namespace {

constexpr std::array<std::string_view, 4> MotsNiveaux{"facile", "moyen", "difficile", "diabolique"};

// Le chiffre d est-il déjà dans la ligne, la colonne ou la région de (ligne, colonne) ?
bool ChiffreVoisin(const CGrille& grille, int ligne, int colonne, int32_t d)
{
    for (int i = 0; i < 9; ++i) {
        if (grille.cases[ligne][i].chiffre == d || grille.cases[i][colonne].chiffre == d) return true;
    }
    const int l0 = 3 * (ligne / 3);
    const int c0 = 3 * (colonne / 3);
    for (int l = l0; l < l0 + 3; ++l) {
        for (int c = c0; c < c0 + 3; ++c) {
            if (grille.cases[l][c].chiffre == d) return true;
        }
    }
    return false;
}

// Cases d'une ligne, d'une colonne ou d'une région qui ne sont pas des indices.
int NonIndicesLigne(const CGrille& grille, int ligne)
{
    int n = 0;
    for (int c = 0; c < 9; ++c) n += grille.cases[ligne][c].origine != Init;
    return n;
}

int NonIndicesColonne(const CGrille& grille, int colonne)
{
    int n = 0;
    for (int l = 0; l < 9; ++l) n += grille.cases[l][colonne].origine != Init;
    return n;
}

int NonIndicesRegion(const CGrille& grille, int ligne, int colonne)
{
    int n = 0;
    const int l0 = 3 * (ligne / 3);
    const int c0 = 3 * (colonne / 3);
    for (int l = l0; l < l0 + 3; ++l) {
        for (int c = c0; c < c0 + 3; ++c) n += grille.cases[l][c].origine != Init;
    }
    return n;
}

}  // namespace

std::string_view MotNiveau(NiveauGrille niveau)
{
    if (niveau < Facile || niveau > Diabolique) return {};
    return MotsNiveaux[niveau];
}

void CPartie::GenererGrille(NiveauGrille niveau)
{
    if (niveau < Facile || niveau > Diabolique) return;
    if (modeCreation) return;
    if (grilleEnCours && !ihm.Question(std::string(QuestionPerteGrille))) return;

    // La grille en jeu est perdue dès le premier semis : sa solution aussi.
    solutionConnue = false;
    {
        CAttente attente(ihm);
        ConstruireGrille(niveau);
    }
    grilleEnCours = true;
    ResoudreEtMemoriser();
    AfficherGrille();
    ChangerStatut(" Grille générée (Niveau " + std::string(MotNiveau(niveau)) + ")");
}

void CPartie::ConstruireGrille(NiveauGrille niveau)
{
    // Un essai qui échoue en cours de route (pilote arrêté par sa limite, hypothèse fausse
    // devenue indice) repart d'un nouveau semis : la grille rendue a toujours une solution.
    for (;;) {
        do {
            SemerGrille();
        } while (!grille.Resoudre(LimiteGeneration));

        bool echec = false;
        if (niveau == Diabolique) {
            int32_t dernier = -1;
            while (grille.niveauCourant > 2) {
                dernier = FixerHypothese();
                grille.RemettreGrille();
                if (dernier < 0 || !grille.Resoudre(LimiteGeneration)) {
                    echec = true;
                    break;
                }
            }
            if (echec) continue;
            // Le dernier indice ajouté rendait la grille trop simple : on le reprend.
            if (grille.niveauCourant == 0 && dernier >= 0) {
                grille.cases[dernier / 10][dernier % 10].origine = HypoOrdi;
            }
            grille.RemettreGrille();
            return;
        }

        while (grille.niveauCourant > 0) {
            const int32_t code = FixerHypothese();
            grille.RemettreGrille();
            if (code < 0 || !grille.Resoudre(LimiteGeneration)) {
                echec = true;
                break;
            }
        }
        if (echec) continue;
        EpurerGrille();
        CompleterGrille(niveau);
        return;
    }
}

void CPartie::SemerGrille()
{
    CAttente attente(ihm);
    grille.ViderGrille();
    for (int32_t d = 1; d <= 9; ++d) {
        for (int copie = 0; copie < 2; ++copie) {
            for (;;) {
                const int ligne = hasard.Tirer() % 9;
                const int colonne = hasard.Tirer() % 9;
                Case& c = grille.cases[ligne][colonne];
                if (c.chiffre != 0 || ChiffreVoisin(grille, ligne, colonne, d)) continue;
                c.chiffre = d;
                c.origine = Init;
                break;
            }
        }
    }
}

int32_t CPartie::FixerHypothese()
{
    const int32_t n = grille.CompterOrigine(HypoOrdi);
    if (n == 0) return -1;
    int32_t k = hasard.Tirer() % n;
    for (int ligne = 0; ligne < 9; ++ligne) {
        for (int colonne = 0; colonne < 9; ++colonne) {
            Case& c = grille.cases[ligne][colonne];
            if (c.origine != HypoOrdi) continue;
            if (k-- == 0) {
                c.origine = Init;
                return ligne * 10 + colonne;
            }
        }
    }
    return -1;
}

void CPartie::EpurerGrille()
{
    const int32_t n = grille.CompterOrigine(Init);
    if (n > 0) {
        // Ordre de retrait au hasard : chaque indice, pris ligne par ligne, tire sa place.
        std::array<int32_t, 81> places;
        places.fill(-1);
        for (int ligne = 0; ligne < 9; ++ligne) {
            for (int colonne = 0; colonne < 9; ++colonne) {
                if (grille.cases[ligne][colonne].origine != Init) continue;
                int32_t place = 0;
                do {
                    place = hasard.Tirer() % n;
                } while (places[place] != -1);
                places[place] = ligne * 10 + colonne;
            }
        }

        for (int32_t i = 0; i < n; ++i) {
            Case& c = grille.cases[places[i] / 10][places[i] % 10];
            const int32_t chiffre = c.chiffre;
            c.chiffre = 0;
            c.origine = Vide;
            grille.RemettreGrille();
            grille.Resoudre(LimiteGeneration);
            // Sans cet indice il faudrait une hypothèse : il reste.
            if (grille.niveauCourant > 0) {
                c.chiffre = chiffre;
                c.origine = Init;
            }
        }
    }
    grille.RemettreGrille();
}

void CPartie::CompleterGrille(NiveauGrille niveau)
{
    const int32_t cible = nbInitNiveau[niveau];
    // La grille redevient pleine : chaque case tient son chiffre de la solution.
    grille.Resoudre(LimiteGeneration);
    int32_t compte = grille.CompterOrigine(Init);
    int essais = 0;

    while (compte < cible) {
        const int ligne = hasard.Tirer() % 9;
        const int colonne = hasard.Tirer() % 9;
        ++essais;
        Case& c = grille.cases[ligne][colonne];
        if (c.origine != Init) {
            c.origine = Init;
            // Pas d'unité réduite à trois cases ou moins à remplir.
            if (NonIndicesLigne(grille, ligne) <= 3 || NonIndicesColonne(grille, colonne) <= 3 ||
                NonIndicesRegion(grille, ligne, colonne) <= 3) {
                c.origine = Vide;  // son chiffre partira au prochain RemettreGrille
            } else {
                ++compte;
            }
        }
        if (essais >= 100) break;
    }

    if (niveau != Facile) return;
    // Au niveau facile, chaque région garde au moins trois indices.
    for (int l0 = 0; l0 < 9; l0 += 3) {
        for (int c0 = 0; c0 < 9; c0 += 3) {
            std::array<Case*, 9> libres{};
            int k = 0;
            for (int l = l0; l < l0 + 3; ++l) {
                for (int c = c0; c < c0 + 3; ++c) {
                    if (grille.cases[l][c].origine != Init) libres[k++] = &grille.cases[l][c];
                }
            }
            for (int i = 0; i < k - 6; ++i) libres[i]->origine = Init;
        }
    }
}
