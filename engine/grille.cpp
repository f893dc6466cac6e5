// Moteur de résolution : modèle de la grille, déductions par élimination et par unicité,
// hypothèses en profondeur et pilote borné en itérations.
//
// Les candidats d'une case tiennent dans un masque de 9 bits (bit d-1 = chiffre d). Pour ne
// pas relire 27 cases à chaque calcul, la grille garde aussi le masque des chiffres présents
// dans chaque ligne, colonne et région ; les possibles d'une case vide sont alors le
// complément de l'union de ses trois masques.
#include "engine/grille.h"

#include <bit>
#include <cstdio>

namespace {

constexpr uint16_t TousChiffres = 0x1FF;
// Au-delà, un niveau d'hypothèse n'aurait plus d'entrée dans `hypotheses`.
constexpr int32_t NiveauMaximum = 80;

// Bit d'un chiffre ; un chiffre hors de 1 à 9 n'occupe aucun bit.
constexpr uint16_t Bit(int32_t chiffre)
{
    return (chiffre >= 1 && chiffre <= 9) ? static_cast<uint16_t>(1u << (chiffre - 1)) : 0;
}

constexpr int32_t Region(int32_t ligne, int32_t colonne) { return (ligne / 3) * 3 + colonne / 3; }

struct Position {
    int8_t ligne;
    int8_t colonne;
};

enum TypeUnite : int32_t { UniteLigne = 0, UniteColonne = 1, UniteRegion = 2 };

// Les 27 unités dans l'ordre de visite : lignes 0 à 8, colonnes 0 à 8, puis régions de
// gauche à droite et de haut en bas ; dans une unité, les cases ligne par ligne, de gauche
// à droite.
constexpr std::array<std::array<Position, 9>, 27> Unites = [] {
    std::array<std::array<Position, 9>, 27> unites{};
    for (int u = 0; u < 9; ++u) {
        for (int i = 0; i < 9; ++i) {
            unites[UniteLigne * 9 + u][i] = {static_cast<int8_t>(u), static_cast<int8_t>(i)};
            unites[UniteColonne * 9 + u][i] = {static_cast<int8_t>(i), static_cast<int8_t>(u)};
            unites[UniteRegion * 9 + u][i] = {static_cast<int8_t>((u / 3) * 3 + i / 3),
                                              static_cast<int8_t>((u % 3) * 3 + i % 3)};
        }
    }
    return unites;
}();

constexpr int32_t UniteDe(int32_t type, int32_t ligne, int32_t colonne)
{
    return type == UniteLigne ? ligne : type == UniteColonne ? colonne : Region(ligne, colonne);
}

constexpr const char* TraceElimination =
    "Déduction par élimination -> Case(%d,%d): Chiffre=%d Niveau=%d \n";
constexpr const char* TraceUnicite[3] = {
    "Déduction par unicité (ligne)-> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
    "Déduction par unicité (colonne) -> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
    "Déduction par unicité (région) -> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
};
constexpr const char* TraceHypothese = "Hypothese -> Case(%d,%d): Chiffre=%d Niveau=%d\n";

}  // namespace

void CGrille::ViderGrille()
{
    niveauCourant = 0;
    for (auto& ligne : cases) {
        for (Case& c : ligne) {
            c.chiffre = 0;
            c.niveau = 0;
            c.origine = Vide;
            c.possibles = TousChiffres;
        }
    }
}

void CGrille::RemettreGrille()
{
    niveauCourant = 0;
    for (auto& ligne : cases) {
        for (Case& c : ligne) {
            if (c.origine != Init) {
                c.chiffre = 0;
                c.origine = Vide;
            }
            c.niveau = 0;
            c.possibles = TousChiffres;
        }
    }
}

bool CGrille::GrillePleine() const
{
    for (const auto& ligne : cases) {
        for (const Case& c : ligne) {
            if (c.chiffre == 0) {
                return false;
            }
        }
    }
    return true;
}

bool CGrille::GrilleValide() const
{
    for (const auto& unite : Unites) {
        uint16_t vus = 0;
        for (const Position p : unite) {
            const int32_t chiffre = cases[p.ligne][p.colonne].chiffre;
            if (chiffre > 0) {
                const uint16_t bit = Bit(chiffre);
                if (vus & bit) {
                    return false;
                }
                vus |= bit;
            }
        }
    }
    return true;
}

int32_t CGrille::CompterOrigine(OrigineCase origine) const
{
    int32_t n = 0;
    for (const auto& ligne : cases) {
        for (const Case& c : ligne) {
            n += c.origine == origine ? 1 : 0;
        }
    }
    return n;
}

void CGrille::CalculerPossibles(int32_t ligne, int32_t colonne)
{
    uint16_t presents = 0;
    for (int32_t type = UniteLigne; type <= UniteRegion; ++type) {
        for (const Position p : Unites[type * 9 + UniteDe(type, ligne, colonne)]) {
            presents |= Bit(cases[p.ligne][p.colonne].chiffre);
        }
    }
    cases[ligne][colonne].possibles = TousChiffres & ~presents;
}

void CGrille::ReconstruirePresents()
{
    presentsLigne.fill(0);
    presentsColonne.fill(0);
    presentsRegion.fill(0);
    for (int32_t l = 0; l < 9; ++l) {
        for (int32_t c = 0; c < 9; ++c) {
            const uint16_t bit = Bit(cases[l][c].chiffre);
            presentsLigne[l] |= bit;
            presentsColonne[c] |= bit;
            presentsRegion[Region(l, c)] |= bit;
        }
    }
    presentsAJour = true;
}

uint16_t CGrille::PossiblesDepuisPresents(int32_t ligne, int32_t colonne) const
{
    return TousChiffres &
           ~(presentsLigne[ligne] | presentsColonne[colonne] | presentsRegion[Region(ligne, colonne)]);
}

void CGrille::Placer(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine)
{
    Case& c = cases[ligne][colonne];
    if (c.chiffre != 0) {
        // Un chiffre en remplace un autre : l'ancien ne peut se retirer des masques (il
        // figure peut-être ailleurs dans l'unité), on les reconstruira.
        presentsAJour = false;
    } else if (presentsAJour) {
        const uint16_t bit = Bit(chiffre);
        presentsLigne[ligne] |= bit;
        presentsColonne[colonne] |= bit;
        presentsRegion[Region(ligne, colonne)] |= bit;
    }
    c.chiffre = chiffre;
    c.origine = origine;
    c.niveau = niveauCourant;
}

void CGrille::Tracer(const char* format, int32_t ligne, int32_t colonne, int32_t chiffre) const
{
    if (!traceActive || sortieTrace == nullptr) {
        return;
    }
    char tampon[128];
    const int n = std::snprintf(tampon, sizeof tampon, format, ligne, colonne, chiffre, niveauCourant);
    if (n > 0) {
        sortieTrace->Ecrire(std::string_view(tampon, static_cast<size_t>(n)));
    }
}

int32_t CGrille::DeduireElimination()
{
    ReconstruirePresents();
    return Eliminer();
}

int32_t CGrille::Eliminer()
{
    if (!presentsAJour) {
        ReconstruirePresents();
    }
    int32_t resultat = 0;
    bool progres = true;
    while (progres) {
        progres = false;
        for (int32_t l = 0; l < 9; ++l) {
            for (int32_t c = 0; c < 9; ++c) {
                Case& k = cases[l][c];
                if (k.chiffre > 0) {
                    continue;
                }
                // Les chiffres posés plus tôt dans ce passage comptent déjà.
                const uint16_t possibles = PossiblesDepuisPresents(l, c);
                k.possibles = possibles;
                if (possibles == 0) {
                    return 2;
                }
                if (std::has_single_bit(possibles)) {
                    const int32_t chiffre = std::countr_zero(possibles) + 1;
                    Placer(l, c, chiffre, DeduitOrdi);
                    Tracer(TraceElimination, l, c, chiffre);
                    progres = true;
                    resultat = 1;
                }
            }
        }
    }
    return resultat;
}

int32_t CGrille::DeduireUnicite()
{
    int32_t resultat = 0;
    bool progres = true;
    while (progres) {
        progres = false;
        for (int32_t type = UniteLigne; type <= UniteRegion; ++type) {
            for (int32_t u = 0; u < 9; ++u) {
                if (PlacerUniques(type, u)) {
                    progres = true;
                    resultat = 1;
                }
            }
        }
    }
    return resultat;
}

// Pose chaque chiffre possible dans une seule case vide de l'unité. Les comptes sont pris
// une fois, avant toute pose : deux chiffres uniques dans la même case y sont écrits tour à
// tour, le plus grand restant.
bool CGrille::PlacerUniques(int32_t type, int32_t unite)
{
    const auto& positions = Unites[type * 9 + unite];
    uint16_t uneFois = 0;       // chiffres possibles dans au moins une case vide
    uint16_t plusieursFois = 0; // ... dans au moins deux
    uint16_t videsAuCompte = 0; // rangs (dans l'unité) des cases vides au moment du compte
    for (int32_t i = 0; i < 9; ++i) {
        const Case& k = cases[positions[i].ligne][positions[i].colonne];
        if (k.chiffre == 0) {
            videsAuCompte |= static_cast<uint16_t>(1u << i);
            plusieursFois |= uneFois & k.possibles;
            uneFois |= k.possibles;
        }
    }
    uint16_t uniques = TousChiffres & uneFois & ~plusieursFois;
    if (uniques == 0) {
        return false;
    }
    for (; uniques != 0; uniques &= uniques - 1) {
        const int32_t chiffre = std::countr_zero(uniques) + 1;
        const uint16_t bit = Bit(chiffre);
        // La seule case vide au compte qui avait ce chiffre ; une pose n'efface un drapeau
        // que pour son propre chiffre, celui-ci y est donc encore.
        int32_t i = 0;
        while (!((videsAuCompte >> i) & 1u) ||
               !(cases[positions[i].ligne][positions[i].colonne].possibles & bit)) {
            ++i;
        }
        const int32_t l = positions[i].ligne;
        const int32_t c = positions[i].colonne;
        Placer(l, c, chiffre, DeduitOrdiUnicite);
        Tracer(TraceUnicite[type], l, c, chiffre);
        // Retire le chiffre des cases vides des deux autres unités de la case ; aucune autre
        // case vide de l'unité elle-même ne l'avait.
        for (int32_t autre = UniteLigne; autre <= UniteRegion; ++autre) {
            if (autre == type) {
                continue;
            }
            for (const Position p : Unites[autre * 9 + UniteDe(autre, l, c)]) {
                Case& voisine = cases[p.ligne][p.colonne];
                if (voisine.chiffre == 0) {
                    voisine.possibles &= static_cast<uint16_t>(~bit);
                }
            }
        }
    }
    return true;
}

int32_t CGrille::ChoisirCaseHypothese() const
{
    // La case vide au moins de candidats (deux au minimum), la première en lecture.
    int32_t meilleure = -1;
    int32_t moins = 10;
    for (int32_t l = 0; l < 9; ++l) {
        for (int32_t c = 0; c < 9; ++c) {
            const Case& k = cases[l][c];
            if (k.chiffre != 0) {
                continue;
            }
            const int32_t n = std::popcount(k.possibles);
            if (n >= 2 && n < moins) {
                meilleure = l * 10 + c;
                moins = n;
                if (n == 2) {
                    return meilleure;
                }
            }
        }
    }
    return meilleure;
}

void CGrille::PoserHypothese(int32_t code)
{
    if (code >= 0) {
        const int32_t l = code / 10;
        const int32_t c = code % 10;
        if (l > 8 || c > 8 || niveauCourant >= NiveauMaximum) {
            return;
        }
        const int32_t niveau = ++niveauCourant;
        Hypothese& h = hypotheses[niveau];
        h.ligne = l;
        h.colonne = c;
        h.indice = 0;
        int32_t n = 0;
        for (int32_t d = 1; d <= 9; ++d) {
            if (cases[l][c].possibles & Bit(d)) {
                h.chiffres[n++] = d;
            }
        }
        h.chiffres[n] = -1;
    } else {
        Hypothese& h = hypotheses[niveauCourant];
        if (niveauCourant <= 0 || h.indice >= 9 || h.chiffres[h.indice + 1] <= 0) {
            return;  // pas d'autre chiffre à essayer : l'appelant n'aurait pas dû demander
        }
        ++h.indice;
    }
    const Hypothese& h = hypotheses[niveauCourant];
    const int32_t chiffre = h.chiffres[h.indice];
    Placer(h.ligne, h.colonne, chiffre, HypoOrdi);
    Tracer(TraceHypothese, h.ligne, h.colonne, chiffre);
}

void CGrille::AnnulerNiveau()
{
    for (auto& ligne : cases) {
        for (Case& c : ligne) {
            if (c.niveau == niveauCourant) {
                c.chiffre = 0;
                c.origine = Vide;
                c.niveau = 0;
            }
        }
    }
    ReconstruirePresents();
    for (int32_t l = 0; l < 9; ++l) {
        for (int32_t c = 0; c < 9; ++c) {
            cases[l][c].possibles = PossiblesDepuisPresents(l, c);
        }
    }
}

bool CGrille::Resoudre(int32_t limiteIterations)
{
    niveauCourant = 0;
    ReconstruirePresents();
    const auto echecSansNiveau = [this] {
        if (remettreAZero) {
            remettreAZero();
        }
    };
    for (int32_t iterations = 1;; ++iterations) {
        const int32_t e = Eliminer();
        if (GrillePleine()) {
            break;
        }
        int32_t u = 0;
        if (e != 2) {
            u = DeduireUnicite();
            if (GrillePleine()) {
                break;
            }
        }
        if (e == 2) {
            // Retour en arrière : on vide le niveau et on essaie le chiffre suivant de sa
            // case, ou l'on redescend d'un niveau quand elle n'en a plus.
            bool abandon = false;
            for (;;) {
                if (niveauCourant == 0) {
                    echecSansNiveau();
                    abandon = true;
                    break;
                }
                AnnulerNiveau();
                const Hypothese& h = hypotheses[niveauCourant];
                if (h.indice < 9 && h.chiffres[h.indice + 1] > 0) {
                    PoserHypothese(-1);
                    break;
                }
                --niveauCourant;
            }
            if (abandon) {
                break;
            }
        } else if (e == 0 && u == 0) {
            const int32_t h = niveauCourant < NiveauMaximum ? ChoisirCaseHypothese() : -1;
            if (h == -1) {
                echecSansNiveau();
                break;
            }
            PoserHypothese(h);
        }
        if (iterations >= limiteIterations) {
            break;
        }
    }
    return GrillePleine() && GrilleValide();
}

bool CGrille::ResoudreEtMemoriser()
{
    if (!Resoudre(LimiteJoueur)) {
        return false;
    }
    for (int32_t l = 0; l < 9; ++l) {
        for (int32_t c = 0; c < 9; ++c) {
            const Case& k = cases[l][c];
            solution[l * 9 + c] = {k.chiffre, k.origine == Init ? static_cast<int32_t>(Init) : 0};
        }
    }
    RemettreGrille();
    return true;
}
