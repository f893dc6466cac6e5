// Le générateur de grilles, étape par étape.
#include "game/generateur.h"

namespace {

constexpr std::array<std::string_view, 4> MotsNiveaux{"facile", "moyen", "difficile", "diabolique"};

// Le chiffre d est-il déjà dans la ligne, la colonne ou la région de (ligne, colonne) ?
bool ChiffreVoisin(const CGrille& grille, int ligne, int colonne, int32_t d)
{
    for (int i = 0; i < 9; ++i) {
        if (grille.LireCase(ligne, i).chiffre == d || grille.LireCase(i, colonne).chiffre == d) return true;
    }
    const int l0 = 3 * (ligne / 3);
    const int c0 = 3 * (colonne / 3);
    for (int l = l0; l < l0 + 3; ++l) {
        for (int c = c0; c < c0 + 3; ++c) {
            if (grille.LireCase(l, c).chiffre == d) return true;
        }
    }
    return false;
}

// Cases d'une ligne, d'une colonne ou d'une région qui ne sont pas des indices.
int NonIndicesLigne(const CGrille& grille, int ligne)
{
    int n = 0;
    for (int c = 0; c < 9; ++c) n += grille.LireCase(ligne, c).origine != Init;
    return n;
}

int NonIndicesColonne(const CGrille& grille, int colonne)
{
    int n = 0;
    for (int l = 0; l < 9; ++l) n += grille.LireCase(l, colonne).origine != Init;
    return n;
}

int NonIndicesRegion(const CGrille& grille, int ligne, int colonne)
{
    int n = 0;
    const int l0 = 3 * (ligne / 3);
    const int c0 = 3 * (colonne / 3);
    for (int l = l0; l < l0 + 3; ++l) {
        for (int c = c0; c < c0 + 3; ++c) n += grille.LireCase(l, c).origine != Init;
    }
    return n;
}

}  // namespace

std::string_view MotNiveau(NiveauGrille niveau)
{
    if (niveau < Facile || niveau > Diabolique) return {};
    return MotsNiveaux[niveau];
}

void CGenerateur::ConstruireGrille(NiveauGrille niveau, CSuiviSolveur* suivi)
{
    // Un essai qui échoue en cours de route (impasse, pilote arrêté par sa limite, hypothèse
    // fausse devenue indice) repart d'un nouveau semis, sans rien remettre à zéro ni montrer :
    // la grille rendue a toujours une solution.
    for (;;) {
        do {
            SemerGrille();
        } while (!Resout(suivi));

        bool echec = false;
        if (niveau == Diabolique) {
            int32_t dernier = -1;
            while (grille.NiveauCourant() > 2) {
                dernier = FixerHypothese();
                grille.RemettreGrille();
                if (dernier < 0 || !Resout(suivi)) {
                    echec = true;
                    break;
                }
            }
            if (echec) continue;
            // Le dernier indice ajouté rendait la grille trop simple : on le reprend.
            if (grille.NiveauCourant() == 0 && dernier >= 0) {
                grille.ChangerOrigine(dernier / 10, dernier % 10, HypoOrdi);
            }
            grille.RemettreGrille();
            return;
        }

        while (grille.NiveauCourant() > 0) {
            const int32_t code = FixerHypothese();
            grille.RemettreGrille();
            if (code < 0 || !Resout(suivi)) {
                echec = true;
                break;
            }
        }
        if (echec) continue;
        EpurerGrille(suivi);
        CompleterGrille(niveau, suivi);
        return;
    }
}

void CGenerateur::SemerGrille()
{
    grille.ViderGrille();
    for (int32_t d = 1; d <= 9; ++d) {
        for (int copie = 0; copie < 2; ++copie) {
            for (;;) {
                const int ligne = hasard.Tirer() % 9;
                const int colonne = hasard.Tirer() % 9;
                if (grille.LireCase(ligne, colonne).chiffre != 0 || ChiffreVoisin(grille, ligne, colonne, d)) continue;
                grille.PoserIndice(ligne, colonne, d);
                break;
            }
        }
    }
}

int32_t CGenerateur::FixerHypothese()
{
    const int32_t n = grille.CompterOrigine(HypoOrdi);
    if (n == 0) return -1;
    int32_t k = hasard.Tirer() % n;
    for (int ligne = 0; ligne < 9; ++ligne) {
        for (int colonne = 0; colonne < 9; ++colonne) {
            if (grille.LireCase(ligne, colonne).origine != HypoOrdi) continue;
            if (k-- == 0) {
                grille.ChangerOrigine(ligne, colonne, Init);
                return ligne * 10 + colonne;
            }
        }
    }
    return -1;
}

void CGenerateur::EpurerGrille(CSuiviSolveur* suivi)
{
    const int32_t n = grille.CompterOrigine(Init);
    if (n > 0) {
        // Ordre de retrait au hasard : chaque indice, pris ligne par ligne, tire sa place.
        std::array<int32_t, 81> places;
        places.fill(-1);
        for (int ligne = 0; ligne < 9; ++ligne) {
            for (int colonne = 0; colonne < 9; ++colonne) {
                if (grille.LireCase(ligne, colonne).origine != Init) continue;
                int32_t place = 0;
                do {
                    place = hasard.Tirer() % n;
                } while (places[place] != -1);
                places[place] = ligne * 10 + colonne;
            }
        }

        for (int32_t i = 0; i < n; ++i) {
            const int ligne = places[i] / 10;
            const int colonne = places[i] % 10;
            const int32_t chiffre = grille.LireCase(ligne, colonne).chiffre;
            grille.ChangerCase(ligne, colonne, 0, Vide);
            grille.RemettreGrille();
            grille.Resoudre(LimiteGeneration, suivi);
            // Sans cet indice il faudrait une hypothèse : il reste.
            if (grille.NiveauCourant() > 0) grille.PoserIndice(ligne, colonne, chiffre);
        }
    }
    grille.RemettreGrille();
}

void CGenerateur::CompleterGrille(NiveauGrille niveau, CSuiviSolveur* suivi)
{
    const int32_t cible = nbInitNiveau[niveau];
    // La grille redevient pleine : chaque case tient son chiffre de la solution.
    grille.Resoudre(LimiteGeneration, suivi);
    int32_t compte = grille.CompterOrigine(Init);
    int essais = 0;

    while (compte < cible) {
        const int ligne = hasard.Tirer() % 9;
        const int colonne = hasard.Tirer() % 9;
        ++essais;
        if (grille.LireCase(ligne, colonne).origine != Init) {
            grille.ChangerOrigine(ligne, colonne, Init);
            // Pas d'unité réduite à trois cases ou moins à remplir.
            if (NonIndicesLigne(grille, ligne) <= 3 || NonIndicesColonne(grille, colonne) <= 3 ||
                NonIndicesRegion(grille, ligne, colonne) <= 3) {
                grille.ChangerOrigine(ligne, colonne, Vide);  // son chiffre partira au prochain RemettreGrille
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
            int libres = 0;
            for (int l = l0; l < l0 + 3; ++l) {
                for (int c = c0; c < c0 + 3; ++c) libres += grille.LireCase(l, c).origine != Init;
            }
            // Les premières cases libres, en lecture, deviennent des indices.
            for (int i = 0; i < 9 && libres > 6; ++i) {
                const int l = l0 + i / 3, c = c0 + i % 3;
                if (grille.LireCase(l, c).origine == Init) continue;
                grille.ChangerOrigine(l, c, Init);
                --libres;
            }
        }
    }
}
