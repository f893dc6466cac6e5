// Moteur de résolution : modèle de la grille, déductions par élimination et par unicité,
// hypothèses en profondeur et pilote borné en itérations.
//
// Les candidats d'une case tiennent dans un masque de 9 bits (bit d-1 = chiffre d). Un petit
// état dérivé (voir grille.h) évite de refaire ce qui n'a pas changé : les chiffres présents
// de chaque unité, les cases que l'élimination doit revoir, les unités que l'unicité doit
// recompter. Les poses, leur ordre, les niveaux et les lignes de trace sont ceux d'un
// passage complet sur les 81 cases : une case ou une unité sautée n'aurait rien donné.
#include "engine/grille.h"

#include <algorithm>
#include <bit>

namespace {

constexpr uint16_t TousChiffres = 0x1FF;
// Au-delà, un niveau d'hypothèse n'aurait plus d'entrée dans `hypotheses`.
constexpr int32_t NiveauMaximum = 80;

// Bit d'un chiffre ; un chiffre hors de 1 à 9 n'occupe aucun bit.
constexpr uint16_t Bit(int32_t chiffre)
{
    return (chiffre >= 1 && chiffre <= 9) ? static_cast<uint16_t>(1u << (chiffre - 1)) : 0;
}

// Nombre de candidats d'un masque (sans dépendre d'une instruction du processeur).
constexpr std::array<uint8_t, 512> NombreDeCandidats = [] {
    std::array<uint8_t, 512> table{};
    for (int m = 0; m < 512; ++m) {
        for (int b = 0; b < 9; ++b) {
            table[m] += (m >> b) & 1;
        }
    }
    return table;
}();

constexpr int32_t LigneDe(int32_t i) { return i / 9; }
constexpr int32_t ColonneDe(int32_t i) { return i % 9; }
constexpr int32_t RegionDe(int32_t i) { return (i / 27) * 3 + (i % 9) / 3; }

enum TypeUnite : int32_t { UniteLigne = 0, UniteColonne = 1, UniteRegion = 2 };

// Les 27 unités (numéro = type * 9 + rang) dans l'ordre de visite : lignes 0 à 8, colonnes
// 0 à 8, puis régions de gauche à droite et de haut en bas. Dans une unité, les cases
// ligne par ligne, de gauche à droite.
constexpr std::array<std::array<uint8_t, 9>, 27> Unites = [] {
    std::array<std::array<uint8_t, 9>, 27> unites{};
    for (int u = 0; u < 9; ++u) {
        for (int k = 0; k < 9; ++k) {
            unites[UniteLigne * 9 + u][k] = static_cast<uint8_t>(u * 9 + k);
            unites[UniteColonne * 9 + u][k] = static_cast<uint8_t>(k * 9 + u);
            unites[UniteRegion * 9 + u][k] =
                static_cast<uint8_t>(((u / 3) * 3 + k / 3) * 9 + (u % 3) * 3 + k % 3);
        }
    }
    return unites;
}();

// Numéro de l'unité d'un type donné qui contient la case i.
constexpr int32_t UniteDe(int32_t type, int32_t i)
{
    return type * 9 + (type == UniteLigne ? LigneDe(i) : type == UniteColonne ? ColonneDe(i) : RegionDe(i));
}

// Les trois unités de chaque case, en bits du masque `unitesARevoir`.
constexpr std::array<uint32_t, 81> UnitesDeLaCase = [] {
    std::array<uint32_t, 81> table{};
    for (int i = 0; i < 81; ++i) {
        table[i] = (1u << UniteDe(UniteLigne, i)) | (1u << UniteDe(UniteColonne, i)) | (1u << UniteDe(UniteRegion, i));
    }
    return table;
}();

constexpr uint32_t ToutesUnites = (1u << 27) - 1;

}  // namespace

int32_t CGrille::EnsembleCases::Suivante(int32_t depuis) const
{
    if (depuis < 64) {
        const uint64_t reste = mots[0] & (~uint64_t{0} << depuis);
        if (reste != 0) {
            return std::countr_zero(reste);
        }
        depuis = 64;
    }
    if (depuis < 81) {
        const uint64_t reste = mots[1] & (~uint64_t{0} << (depuis - 64));
        if (reste != 0) {
            return 64 + std::countr_zero(reste);
        }
    }
    return 81;
}

namespace {

// Les 20 voisines de chaque case (même ligne, colonne ou région, elle-même exclue).
struct TableVoisines {
    std::array<std::array<uint64_t, 2>, 81> mots{};
    constexpr TableVoisines()
    {
        for (int i = 0; i < 81; ++i) {
            for (int j = 0; j < 81; ++j) {
                const bool voisine = j != i && (LigneDe(j) == LigneDe(i) || ColonneDe(j) == ColonneDe(i) ||
                                                RegionDe(j) == RegionDe(i));
                if (voisine) {
                    mots[i][j >> 6] |= uint64_t{1} << (j & 63);
                }
            }
        }
    }
};
constexpr TableVoisines Voisines;

}  // namespace

CGrille::CGrille() { ToutRevoir(); }

Case& CGrille::CaseNo(int32_t i) { return cases[LigneDe(i)][ColonneDe(i)]; }

namespace {

bool DansLaGrille(int32_t ligne, int32_t colonne)
{
    return ligne >= 0 && ligne < 9 && colonne >= 0 && colonne < 9;
}

}  // namespace

void CGrille::ChangerCase(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine)
{
    if (!DansLaGrille(ligne, colonne) || chiffre < 0 || chiffre > 9) {
        return;
    }
    const int32_t i = ligne * 9 + colonne;
    Case& c = cases[ligne][colonne];
    // Un indice changé, ôté ou ajouté : la solution gardée n'est plus la sienne.
    if ((c.origine == Init || origine == Init) && (chiffre != c.chiffre || origine != c.origine)) {
        solutionGardee = false;
    }
    if (chiffre != c.chiffre) {
        if (chiffre == 0) {
            Vider(i);
        } else {
            Remplir(i, chiffre);
        }
    }
    c.origine = origine;
}

void CGrille::ChangerOrigine(int32_t ligne, int32_t colonne, OrigineCase origine)
{
    if (DansLaGrille(ligne, colonne)) {
        Case& c = cases[ligne][colonne];
        if ((c.origine == Init) != (origine == Init)) {
            solutionGardee = false;
        }
        c.origine = origine;
    }
}

void CGrille::MarquerSolution(int32_t ligne, int32_t colonne, int32_t marque)
{
    if (DansLaGrille(ligne, colonne)) {
        solution[ligne * 9 + colonne].marque = marque;
    }
}

bool CGrille::ReprendreSolution(const std::array<CaseSolution, 81>& gardee)
{
    for (int32_t i = 0; i < 81; ++i) {
        const CaseSolution& s = gardee[i];
        const Case& c = CaseNo(i);
        if (s.chiffre < 1 || s.chiffre > 9) {
            return false;
        }
        // Une marque dit d'où vient la case : l'indice qui y est, ou un coup de main déjà donné ;
        // un chiffre révélé par un coup de main est celui de la solution.
        const bool indice = c.origine == Init;
        if (indice ? (s.marque != Init || s.chiffre != c.chiffre) : (s.marque != 0 && s.marque != CoupDeMain)) {
            return false;
        }
        if (c.origine == CoupDeMain && s.chiffre != c.chiffre) {
            return false;
        }
    }
    for (const auto& unite : Unites) {
        uint16_t vus = 0;
        for (const int32_t i : unite) {
            vus |= Bit(gardee[i].chiffre);
        }
        if (vus != TousChiffres) {
            return false;
        }
    }
    solution = gardee;
    solutionGardee = true;
    return true;
}

void CGrille::ViderGrille()
{
    niveauCourant = 0;
    solutionGardee = false;
    for (auto& ligne : cases) {
        for (Case& c : ligne) {
            c.chiffre = 0;
            c.niveau = 0;
            c.origine = Vide;
            c.possibles = TousChiffres;
        }
    }
    ToutRevoir();
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
    ToutRevoir();
}

bool CGrille::GrilleValide() const
{
    for (const auto& unite : Unites) {
        uint16_t vus = 0;
        for (const int32_t i : unite) {
            const int32_t chiffre = cases[LigneDe(i)][ColonneDe(i)].chiffre;
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
    if (!DansLaGrille(ligne, colonne)) {
        return;
    }
    const int32_t i = ligne * 9 + colonne;
    uint16_t presents = 0;
    for (int32_t type = UniteLigne; type <= UniteRegion; ++type) {
        for (const int32_t j : Unites[UniteDe(type, i)]) {
            presents |= Bit(cases[LigneDe(j)][ColonneDe(j)].chiffre);
        }
    }
    const uint16_t possibles = TousChiffres & ~presents;
    if (cases[ligne][colonne].chiffre != 0) {
        cases[ligne][colonne].possibles = possibles;
    } else {
        ChangerPossibles(i, possibles);
    }
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
            presentsRegion[(l / 3) * 3 + c / 3] |= bit;
        }
    }
    presentsAJour = true;
}

// Tout l'état dérivé, en un passage sur les cases.
void CGrille::ToutRevoir()
{
    presentsLigne.fill(0);
    presentsColonne.fill(0);
    presentsRegion.fill(0);
    vides = {};
    for (int32_t i = 0; i < 81; ++i) {
        const Case& c = CaseNo(i);
        if (c.chiffre == 0) {
            candidats[i] = c.possibles & TousChiffres;
            vides.Ajouter(i);
        } else {
            candidats[i] = 0;
            const uint16_t bit = Bit(c.chiffre);
            presentsLigne[LigneDe(i)] |= bit;
            presentsColonne[ColonneDe(i)] |= bit;
            presentsRegion[RegionDe(i)] |= bit;
        }
    }
    presentsAJour = true;
    nbVides = std::popcount(vides.mots[0]) + std::popcount(vides.mots[1]);
    aRevoir = vides;
    unitesARevoir = ToutesUnites;
}

uint16_t CGrille::PossiblesDepuisPresents(int32_t i) const
{
    return TousChiffres & ~(presentsLigne[LigneDe(i)] | presentsColonne[ColonneDe(i)] | presentsRegion[RegionDe(i)]);
}

// Écrit un chiffre de 1 à 9 dans une case et tient l'état dérivé à jour.
void CGrille::Remplir(int32_t i, int32_t chiffre)
{
    Case& c = CaseNo(i);
    if (c.chiffre != 0) {
        // Un chiffre en remplace un autre : l'ancien ne peut se retirer des masques (il
        // figure peut-être ailleurs dans l'unité), on les reconstruira.
        presentsAJour = false;
    } else {
        --nbVides;
        vides.Retirer(i);
        aRevoir.Retirer(i);
        candidats[i] = 0;
        if (presentsAJour) {
            const uint16_t bit = Bit(chiffre);
            presentsLigne[LigneDe(i)] |= bit;
            presentsColonne[ColonneDe(i)] |= bit;
            presentsRegion[RegionDe(i)] |= bit;
        }
    }
    c.chiffre = chiffre;
    // Les voisines vides perdent peut-être un candidat ; les trois unités ont une case vide
    // de moins.
    aRevoir.AjouterCommunes(Voisines.mots[i], vides);
    unitesARevoir |= UnitesDeLaCase[i];
}

// Vide une case pleine : elle garde ses drapeaux d'avant, que l'élimination refera, et ses
// voisines vides gagnent peut-être un candidat.
void CGrille::Vider(int32_t i)
{
    Case& c = CaseNo(i);
    c.chiffre = 0;
    presentsAJour = false;
    ++nbVides;
    vides.Ajouter(i);
    candidats[i] = c.possibles & TousChiffres;
    aRevoir.Ajouter(i);
    aRevoir.AjouterCommunes(Voisines.mots[i], vides);
    unitesARevoir |= UnitesDeLaCase[i];
}

void CGrille::Placer(int32_t i, int32_t chiffre, OrigineCase origine)
{
    Remplir(i, chiffre);
    Case& c = CaseNo(i);
    c.origine = origine;
    c.niveau = niveauCourant;
}

// Nouveaux possibles d'une case vide.
void CGrille::ChangerPossibles(int32_t i, uint16_t possibles)
{
    if (candidats[i] != possibles) {
        candidats[i] = possibles;
        CaseNo(i).possibles = possibles;
        unitesARevoir |= UnitesDeLaCase[i];
    }
}

// Recalcule les possibles des 81 cases depuis les chiffres (pleines comprises, comme le
// ferait CalculerPossibles case par case) et remet l'état dérivé d'accord.
void CGrille::RecalculerTout()
{
    ReconstruirePresents();
    const EnsembleCases anciennesVides = vides;
    vides = {};
    aRevoir = {};
    for (int32_t l = 0; l < 9; ++l) {
        for (int32_t c = 0; c < 9; ++c) {
            const int32_t i = l * 9 + c;
            Case& k = cases[l][c];
            const uint16_t possibles =
                TousChiffres & ~(presentsLigne[l] | presentsColonne[c] | presentsRegion[(l / 3) * 3 + c / 3]);
            const bool vide = k.chiffre == 0;
            // Une unité ne voit que les cases vides et leurs drapeaux : on ne la recomptera
            // que si l'un ou l'autre a changé.
            if (vide != anciennesVides.Contient(i) || (vide && candidats[i] != possibles)) {
                unitesARevoir |= UnitesDeLaCase[i];
            }
            k.possibles = possibles;
            candidats[i] = vide ? possibles : 0;
            if (vide) {
                vides.Ajouter(i);
                if ((possibles & (possibles - 1)) == 0) {
                    aRevoir.Ajouter(i);  // zéro ou un candidat : l'élimination a à faire ici
                }
            }
        }
    }
    nbVides = std::popcount(vides.mots[0]) + std::popcount(vides.mots[1]);
}

int32_t CGrille::DeduireElimination(CSuiviSolveur* suivi) { return Eliminer(suivi); }

int32_t CGrille::Eliminer(CSuiviSolveur* suivi)
{
    if (!presentsAJour) {
        ReconstruirePresents();
    }
    int32_t resultat = 0;
    bool progres = true;
    while (progres) {
        progres = false;
        // Un passage en lecture sur les cases vides à revoir ; une pose ajoute ses voisines
        // vides, revues dans ce même passage si elles suivent, au suivant sinon.
        for (int32_t i = aRevoir.Suivante(0); i < 81; i = aRevoir.Suivante(i + 1)) {
            aRevoir.Retirer(i);
            const uint16_t possibles = PossiblesDepuisPresents(i);
            ChangerPossibles(i, possibles);
            if (possibles == 0) {
                return 2;
            }
            if ((possibles & (possibles - 1)) == 0) {
                const int32_t chiffre = std::countr_zero(possibles) + 1;
                Placer(i, chiffre, DeduitOrdi);
                Annoncer(suivi, Pas::Elimination, i, chiffre);
                progres = true;
                resultat = 1;
            }
        }
    }
    return resultat;
}

int32_t CGrille::DeduireUnicite(CSuiviSolveur* suivi) { return ChercherUniques(suivi); }

int32_t CGrille::ChercherUniques(CSuiviSolveur* suivi)
{
    int32_t resultat = 0;
    bool progres = true;
    while (progres) {
        progres = false;
        // Lignes, colonnes puis régions : l'ordre des numéros d'unité.
        for (int32_t unite = 0; unite < 27; ++unite) {
            if ((unitesARevoir >> unite) & 1u) {
                unitesARevoir &= ~(1u << unite);
                if (PlacerUniques(unite, suivi)) {
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
bool CGrille::PlacerUniques(int32_t unite, CSuiviSolveur* suivi)
{
    const auto& positions = Unites[unite];
    std::array<uint16_t, 9> auCompte;  // candidats des cases de l'unité au moment du compte
    uint16_t uneFois = 0;              // chiffres possibles dans au moins une case vide
    uint16_t plusieursFois = 0;        // ... dans au moins deux
    for (int32_t k = 0; k < 9; ++k) {
        const uint16_t m = candidats[positions[k]];
        auCompte[k] = m;
        plusieursFois |= uneFois & m;
        uneFois |= m;
    }
    uint16_t uniques = uneFois & ~plusieursFois;
    if (uniques == 0) {
        return false;
    }
    const int32_t type = unite / 9;
    for (; uniques != 0; uniques &= uniques - 1) {
        const int32_t chiffre = std::countr_zero(uniques) + 1;
        const uint16_t bit = Bit(chiffre);
        int32_t k = 0;
        while (!(auCompte[k] & bit)) {
            ++k;
        }
        const int32_t i = positions[k];
        Placer(i, chiffre, DeduitOrdiUnicite);
        Annoncer(suivi, static_cast<Pas::Genre>(Pas::UniciteLigne + type), i, chiffre);
        // Retire le chiffre des cases vides des deux autres unités de la case ; aucune autre
        // case vide de l'unité elle-même ne l'avait.
        for (int32_t autre = UniteLigne; autre <= UniteRegion; ++autre) {
            if (autre == type) {
                continue;
            }
            for (const int32_t j : Unites[UniteDe(autre, i)]) {
                if (candidats[j] & bit) {
                    ChangerPossibles(j, candidats[j] & static_cast<uint16_t>(~bit));
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
            const int32_t n = NombreDeCandidats[k.possibles & TousChiffres];
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

void CGrille::PoserHypothese(int32_t code, CSuiviSolveur* suivi)
{
    if (code >= 0) {
        const int32_t l = code / 10;
        const int32_t c = code % 10;
        if (l > 8 || c > 8 || niveauCourant >= NiveauMaximum || (cases[l][c].possibles & TousChiffres) == 0) {
            return;  // pas de case, plus de place pour un niveau, ou aucun chiffre à essayer
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
        // Aucun niveau ouvert (ou un niveau hors de la table) : rien à relire.
        if (niveauCourant <= 0 || niveauCourant > NiveauMaximum) {
            return;
        }
        Hypothese& h = hypotheses[niveauCourant];
        if (h.indice < 0 || h.indice >= 9 || h.chiffres[h.indice + 1] <= 0) {
            return;  // pas d'autre chiffre à essayer : l'appelant n'aurait pas dû demander
        }
        ++h.indice;
    }
    const Hypothese& h = hypotheses[niveauCourant];
    const int32_t chiffre = h.chiffres[h.indice];
    Placer(h.ligne * 9 + h.colonne, chiffre, HypoOrdi);
    Annoncer(suivi, Pas::Hypothese, h.ligne * 9 + h.colonne, chiffre);
}

void CGrille::AnnulerNiveau()
{
    if (niveauCourant <= 0) {
        return;  // les indices et les chiffres d'avant toute hypothèse sont au niveau 0
    }
    for (auto& ligne : cases) {
        for (Case& c : ligne) {
            if (c.niveau == niveauCourant) {
                c.chiffre = 0;
                c.origine = Vide;
                c.niveau = 0;
            }
        }
    }
    RecalculerTout();
}

bool CGrille::MeneAUneSolution() const
{
    CGrille essai = *this;
    return essai.Resoudre(LimiteJoueur) == FinResolution::Resolue;
}

FinResolution CGrille::Resoudre(int32_t limiteIterations, CSuiviSolveur* suivi)
{
    niveauCourant = 0;
    for (int32_t iterations = 1;; ++iterations) {
        const int32_t e = Eliminer(suivi);
        if (nbVides == 0) {
            break;
        }
        int32_t u = 0;
        if (e != 2) {
            u = ChercherUniques(suivi);
            if (nbVides == 0) {
                break;
            }
        }
        if (e == 2) {
            // Retour en arrière : on vide le niveau et on essaie le chiffre suivant de sa
            // case, ou l'on redescend d'un niveau quand elle n'en a plus.
            for (;;) {
                if (niveauCourant == 0) {
                    return FinResolution::Impasse;
                }
                AnnulerNiveau();
                const Hypothese& h = hypotheses[niveauCourant];
                if (h.indice < 9 && h.chiffres[h.indice + 1] > 0) {
                    PoserHypothese(-1, suivi);
                    break;
                }
                --niveauCourant;
            }
        } else if (e == 0 && u == 0) {
            const int32_t h = niveauCourant < NiveauMaximum ? ChoisirCaseHypothese() : -1;
            if (h == -1) {
                return FinResolution::Impasse;
            }
            PoserHypothese(h, suivi);
        }
        if (iterations >= limiteIterations) {
            // La dernière hypothèse a pu remplir la grille.
            if (GrillePleine() && GrilleValide()) {
                return FinResolution::Resolue;
            }
            return FinResolution::Limite;
        }
    }
    return GrilleValide() ? FinResolution::Resolue : FinResolution::Fautive;
}

FinResolution CGrille::ResoudreEtMemoriser(CSuiviSolveur* suivi)
{
    const FinResolution fin = Resoudre(LimiteJoueur, suivi);
    if (fin != FinResolution::Resolue) {
        return fin;
    }
    for (int32_t l = 0; l < 9; ++l) {
        for (int32_t c = 0; c < 9; ++c) {
            const Case& k = cases[l][c];
            solution[l * 9 + c] = {k.chiffre, k.origine == Init ? static_cast<int32_t>(Init) : 0};
        }
    }
    RemettreGrille();
    solutionGardee = true;
    return fin;
}
