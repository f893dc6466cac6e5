// Les phrases et le JSON du raisonnement par techniques.
#include "game/explicationtechnique.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>

#include "game/explication.h"

namespace {

// "a", "a et b", "a, b et c".
std::string Joindre(const std::vector<std::string>& parties)
{
    std::string texte;
    for (std::size_t k = 0; k < parties.size(); ++k) {
        if (k > 0) texte += k + 1 == parties.size() ? " et " : ", ";
        texte += parties[k];
    }
    return texte;
}

// "le 4 et le 9", "le 3, le 5 et le 8".
std::string LesChiffres(uint16_t chiffres)
{
    std::vector<std::string> parties;
    for (int32_t d = 1; d <= 9; ++d)
        if (chiffres & (1u << (d - 1))) parties.push_back("le " + std::to_string(d));
    return Joindre(parties);
}

std::string Pluriel(const char* mot, std::size_t n) { return n > 1 ? std::string(mot) + "s" : std::string(mot); }

// Des cases : "ligne 2, colonnes 1, 5 et 8" quand elles sont sur une même ligne, "colonne 3,
// lignes 1 et 4" sur une même colonne, sinon chacune en entier ; ou, entre parenthèses où un
// point-virgule ne coupe pas la phrase (`parLigne`), ligne par ligne : "ligne 1, colonnes 4
// et 6 ; ligne 2, colonne 4".
std::string NommerCases(const std::vector<Coordonnees>& cases, bool parLigne = false)
{
    if (cases.empty()) return {};
    const bool memeLigne = std::all_of(cases.begin(), cases.end(), [&](const Coordonnees& c) { return c.ligne == cases[0].ligne; });
    const bool memeColonne =
        std::all_of(cases.begin(), cases.end(), [&](const Coordonnees& c) { return c.colonne == cases[0].colonne; });
    std::vector<std::string> parties;
    if (cases.size() > 1 && memeLigne) {
        for (const Coordonnees& c : cases) parties.push_back(Numero(c.colonne));
        return "ligne " + Numero(cases[0].ligne) + ", colonnes " + Joindre(parties);
    }
    if (cases.size() > 1 && memeColonne) {
        for (const Coordonnees& c : cases) parties.push_back(Numero(c.ligne));
        return "colonne " + Numero(cases[0].colonne) + ", lignes " + Joindre(parties);
    }
    std::vector<std::vector<Coordonnees>> lignes;
    for (const Coordonnees& c : cases) {
        if (lignes.empty() || lignes.back()[0].ligne != c.ligne) lignes.emplace_back();
        lignes.back().push_back(c);
    }
    if (!parLigne || lignes.size() == cases.size()) {
        for (const Coordonnees& c : cases) parties.push_back(NommerCase(c.ligne, c.colonne));
        return Joindre(parties);
    }
    std::string texte;
    for (const auto& ligne : lignes) texte += (texte.empty() ? "" : " ; ") + NommerCases(ligne);
    return texte;
}

// Des cases d'une même unité, nommées dans l'unité : "colonnes 3 et 7" dans une ligne,
// "lignes 2 et 5" dans une colonne, les cases en entier dans une région.
std::string CasesDansUnite(const Unite& unite, const std::vector<Coordonnees>& cases, bool parLigne = false)
{
    std::vector<std::string> parties;
    switch (unite.genre) {
    case GenreUnite::Ligne:
        for (const Coordonnees& c : cases) parties.push_back(Numero(c.colonne));
        return Pluriel("colonne", cases.size()) + " " + Joindre(parties);
    case GenreUnite::Colonne:
        for (const Coordonnees& c : cases) parties.push_back(Numero(c.ligne));
        return Pluriel("ligne", cases.size()) + " " + Joindre(parties);
    case GenreUnite::Region:
        break;
    }
    return NommerCases(cases, parLigne);
}

// Les cases d'où l'on ôte `chiffre`.
std::vector<Coordonnees> CasesOtees(const std::vector<CaseChiffre>& retraits, int32_t chiffre)
{
    std::vector<Coordonnees> cases;
    for (const CaseChiffre& r : retraits)
        if (r.chiffre == chiffre) cases.push_back(r);
    return cases;
}

// "le 4 en colonne 1 ; le 9 en colonnes 5 et 8" : les retraits par chiffre (les chiffres ôtés
// des mêmes cases ensemble), nommés dans l'unité quand ils y sont tous, sinon en entier.
std::string DireRetraits(const std::vector<CaseChiffre>& retraits, const Unite* dansUnite)
{
    std::vector<std::string> parties;
    std::array<bool, 10> dits{};
    for (int32_t d = 1; d <= 9; ++d) {
        const std::vector<Coordonnees> cases = CasesOtees(retraits, d);
        if (cases.empty() || dits[d]) continue;
        uint16_t memes = 0;
        for (int32_t autre = d; autre <= 9; ++autre) {
            if (CasesOtees(retraits, autre) == cases) memes |= static_cast<uint16_t>(1u << (autre - 1)), dits[autre] = true;
        }
        parties.push_back(LesChiffres(memes) + " en " +
                          (dansUnite != nullptr ? CasesDansUnite(*dansUnite, cases) : NommerCases(cases)));
    }
    std::string texte;
    for (const std::string& partie : parties) texte += (texte.empty() ? "" : " ; ") + partie;
    return texte;
}

// " (niveau 2)" : la marque d'une étape faite sous hypothèse ; rien au niveau 0.
std::string MarqueNiveau(int32_t niveau) { return niveau > 0 ? " (niveau " + std::to_string(niveau) + ")" : ""; }

std::string Niveaux(int32_t de, int32_t a)
{
    if (de == a) return "l'hypothèse du niveau " + std::to_string(de);
    return "les hypothèses des niveaux " + std::to_string(de) + " à " + std::to_string(a);
}

std::string Fois(std::size_t n)
{
    static constexpr std::array<const char*, 10> Mots{"", "une", "deux", "trois", "quatre", "cinq", "six", "sept", "huit", "neuf"};
    return n < Mots.size() ? Mots[n] : std::to_string(n);
}

// Le plus petit chiffre de l'étape (le seul, pour la plupart).
int32_t PremierChiffre(const Etape& e)
{
    return e.chiffres != 0 ? std::countr_zero(static_cast<unsigned>(e.chiffres)) + 1 : 0;
}

std::string DireContradiction(const Etape& e)
{
    const std::string chiffre = std::to_string(PremierChiffre(e));
    std::string texte = "contradiction : ";
    switch (e.contradiction) {
    case GenreContradiction::CaseSansChiffre:
        texte += NommerCase(e.cases.front().ligne, e.cases.front().colonne) + " n'a plus aucun chiffre possible";
        break;
    case GenreContradiction::ChiffreSansPlace:
        texte += "le " + chiffre + " n'a plus de place dans la " + NommerUnite(e.unites.front());
        break;
    case GenreContradiction::ChiffreRepete:
        texte += "le " + chiffre + " est " + Fois(e.cases.size()) + " fois dans la " + NommerUnite(e.unites.front());
        break;
    case GenreContradiction::Aucune:
        break;
    }
    if (!e.faux) return texte + " ; la grille n'a pas de solution";
    // Le retrait n'est vrai que sous les hypothèses qui restent ouvertes : il le dit.
    return texte + " ; le " + std::to_string(e.faux->chiffre) + " ne va donc pas en " +
           NommerCase(e.faux->ligne, e.faux->colonne) + MarqueNiveau(e.niveau) + ", on abandonne " +
           Niveaux(e.niveau + 1, e.niveau + 1);
}

std::string DireSolution(const Etape& e)
{
    return "la grille est pleine : elle est résolue avec " + Niveaux(1, e.niveau) +
           (e.unique ? "" : " ; c'est une solution parmi plusieurs");
}

std::string DireSeulCandidat(const Etape& e)
{
    return NommerCase(e.poses[0].ligne, e.poses[0].colonne) + " : seul chiffre possible, le " +
           std::to_string(e.poses[0].chiffre);
}

std::string DireSeulePlace(const Etape& e)
{
    return NommerUnite(e.unites[0]) + " : le " + std::to_string(PremierChiffre(e)) + " ne peut aller qu'en " +
           CasesDansUnite(e.unites[0], {e.poses[0]});
}

std::string DireVerrouille(const Etape& e)
{
    const int32_t d = PremierChiffre(e);
    return "candidats verrouillés : dans la " + NommerUnite(e.unites[0]) + ", le " + std::to_string(d) +
           " ne peut aller qu'en " + NommerUnite(e.unites[1]) + " ; on l'ôte du reste de la " +
           NommerUnite(e.unites[1]) + " (" + CasesDansUnite(e.unites[1], CasesOtees(e.retraits, d), true) + ")";
}

std::string DireNu(const Etape& e)
{
    return std::string(NomTechnique(e.technique)) + " dans la " + NommerUnite(e.unites[0]) + " : " +
           (e.unites[0].genre == GenreUnite::Region ? "les cases " : "les ") + CasesDansUnite(e.unites[0], e.cases) +
           " n'ont que " + LesChiffres(e.chiffres) + " ; on ôte " + DireRetraits(e.retraits, &e.unites[0]);
}

std::string DireCache(const Etape& e)
{
    return std::string(NomTechnique(e.technique)) + " dans la " + NommerUnite(e.unites[0]) + " : " +
           LesChiffres(e.chiffres) + " ne peuvent aller qu'en " + CasesDansUnite(e.unites[0], e.cases) +
           " ; on ôte les autres chiffres de ces cases, " + DireRetraits(e.retraits, &e.unites[0]);
}

std::string DirePoisson(const Etape& e)
{
    const std::size_t k = e.unites.size() / 2;
    const bool lignes = e.unites[0].genre == GenreUnite::Ligne;
    std::vector<std::string> bases, couvertes, retraits;
    for (std::size_t m = 0; m < k; ++m) bases.push_back(Numero(e.unites[m].numero));
    for (std::size_t m = k; m < e.unites.size(); ++m) {
        couvertes.push_back(Numero(e.unites[m].numero));
        std::vector<Coordonnees> cases;
        for (const CaseChiffre& r : e.retraits)
            if ((lignes ? r.colonne : r.ligne) == e.unites[m].numero) cases.push_back(r);
        if (!cases.empty()) retraits.push_back(NommerUnite(e.unites[m]) + ", " + CasesDansUnite(e.unites[m], cases));
    }
    std::string retraitsDits;
    for (const std::string& r : retraits) retraitsDits += (retraitsDits.empty() ? "" : " ; ") + r;
    return std::string(NomTechnique(e.technique)) + " sur le " + std::to_string(PremierChiffre(e)) + " : dans les " +
           (lignes ? "lignes " : "colonnes ") + Joindre(bases) + ", il ne peut aller qu'en " +
           (lignes ? "colonnes " : "lignes ") + Joindre(couvertes) + " ; on l'ôte du reste de ces " +
           (lignes ? "colonnes" : "lignes") + " (" + retraitsDits + ")";
}

std::string DireXYWing(const Etape& e)
{
    auto avecCandidats = [&](std::size_t m) {
        return NommerCase(e.cases[m].ligne, e.cases[m].colonne) + " (" + NommerChiffres(e.candidatsCases[m]) + ")";
    };
    const int32_t z = e.retraits.front().chiffre;
    return "XY-wing : " + avecCandidats(0) + " voit " + avecCandidats(1) + " et " + avecCandidats(2) +
           " ; l'une de ces deux cases sera un " + std::to_string(z) + ", on l'ôte donc en " +
           NommerCases(CasesOtees(e.retraits, z));
}

// Ce qu'une grille à plusieurs solutions ne laisse pas à la déduction.
constexpr std::string_view PlusieursSolutions = "la grille a plusieurs solutions, aucun raisonnement ne peut la finir seul";

std::string DireHypothese(const Etape& e)
{
    return "hypothèse : " + NommerCase(e.poses[0].ligne, e.poses[0].colonne) + " (" +
           NommerChiffres(e.candidatsCases[0]) + "), on essaie le " + std::to_string(e.poses[0].chiffre) + " (niveau " +
           std::to_string(e.niveau) + ")" + (e.unique ? "" : " ; " + std::string(PlusieursSolutions));
}

std::string CaseEtCandidats(const Etape& e, std::size_t m)
{
    return NommerCase(e.cases[m].ligne, e.cases[m].colonne) + " (" + NommerChiffres(e.candidatsCases[m]) + ")";
}

std::string DireXYZWing(const Etape& e)
{
    const int32_t z = e.retraits.front().chiffre;
    return "XYZ-wing : " + CaseEtCandidats(e, 0) + " voit " + CaseEtCandidats(e, 1) + " et " + CaseEtCandidats(e, 2) +
           " ; l'une de ces trois cases sera un " + std::to_string(z) + ", on l'ôte donc en " +
           NommerCases(CasesOtees(e.retraits, z));
}

// Le genre d'une unité, pour dire qu'on y est : "même ligne", "même région".
std::string MemeUnite(const Unite& u)
{
    static constexpr std::array<const char*, 3> Mots{"même ligne", "même colonne", "même région"};
    return Mots[static_cast<int>(u.genre)];
}

// Une chaîne dite de son premier nœud, supposé faux, au dernier, vrai alors : "si le 5
// n'allait pas en A, il irait en B (seules places dans la ligne 1), donc pas en C (même
// colonne), donc en D (…) : le 5 va en A ou en D".
std::string DireChaineSeule(const Etape& e)
{
    const std::vector<Noeud>& n = e.noeuds;
    std::string texte = "si le " + std::to_string(n.front().chiffre) + " n'allait pas en " + NommerCases(n.front().cases);
    for (std::size_t k = 0; k < e.liens.size(); ++k) {
        const Lien& l = e.liens[k];
        const Noeud& vers = n[k + 1];
        const std::string chiffre = std::to_string(vers.chiffre);
        texte += k == 0 ? ", " : ", donc ";
        if (l.fort && l.parCase) {
            texte += "le " + chiffre + " y irait (seuls chiffres de la case)";
        } else if (l.fort) {
            texte += (k == 0 ? "il irait en " : "en ") + NommerCases(vers.cases) + " (seules places dans la " +
                     NommerUnite(l.unite) + ")";
        } else if (l.parCase) {
            texte += "le " + chiffre + " n'y irait pas";
        } else {
            texte += "pas en " + NommerCases(vers.cases) + " (" + MemeUnite(l.unite) + ")";
        }
    }
    const Noeud &a = n.front(), &z = n.back();
    if (a.chiffre == z.chiffre) {
        return texte + " : le " + std::to_string(a.chiffre) + " va en " + NommerCases(a.cases) + " ou en " + NommerCases(z.cases);
    }
    return texte + " : le " + std::to_string(a.chiffre) + " va en " + NommerCases(a.cases) + " ou le " +
           std::to_string(z.chiffre) + " en " + NommerCases(z.cases);
}

std::string DireChaine(const Etape& e)
{
    const bool unSeulChiffre = std::has_single_bit(static_cast<unsigned>(e.chiffres));
    std::string texte = std::string(NomTechnique(e.technique));
    if (unSeulChiffre) texte += " sur le " + std::to_string(PremierChiffre(e));
    return texte + " : " + DireChaineSeule(e) + " ; on ôte donc " + DireRetraits(e.retraits, nullptr);
}

std::string DirePairesDistantes(const Etape& e)
{
    const int32_t a = e.noeuds.front().chiffre, b = e.noeuds[1].chiffre;
    return "paires distantes (" + std::to_string(a) + " et " + std::to_string(b) + ") : " + DireChaineSeule(e) +
           ", et de même pour le " + std::to_string(b) + " ; on ôte donc " + DireRetraits(e.retraits, nullptr);
}

std::string DireWWing(const Etape& e)
{
    const Noeud &p = e.noeuds[0], &a = e.noeuds[2], &b = e.noeuds[3], &q = e.noeuds[5];
    const int32_t x = a.chiffre, y = p.chiffre;
    return "W-wing : " + NommerCases({p.cases[0], q.cases[0]}) + " n'ont que le " + std::to_string(std::min(x, y)) +
           " et le " + std::to_string(std::max(x, y)) + " ; dans la " + NommerUnite(e.liens[2].unite) + ", le " +
           std::to_string(x) + " ne peut aller qu'en " + NommerCases(a.cases) + ", qui voit la première, ou en " +
           NommerCases(b.cases) + ", qui voit la seconde : elles ne sont donc pas toutes deux un " + std::to_string(x) +
           ", l'une est un " + std::to_string(y) + " ; on l'ôte donc en " + NommerCases(CasesOtees(e.retraits, y));
}

std::string DireRectangle(const Etape& e)
{
    const std::vector<Coordonnees> paires(e.cases.begin(), e.cases.begin() + 3);
    const Coordonnees& autre = e.cases[3];
    const int32_t a = PremierChiffre(e), b = 32 - std::countl_zero(static_cast<uint32_t>(e.chiffres));
    const std::string ab = "le " + std::to_string(a) + " et le " + std::to_string(b);
    return "rectangle unique : " + NommerCases(paires) + " n'ont que " + ab + " ; si " +
           NommerCase(autre.ligne, autre.colonne) + " valait le " + std::to_string(a) + " ou le " + std::to_string(b) +
           ", on pourrait échanger " + ab + " dans ces quatre cases et la grille aurait deux solutions ; elle n'en a "
           "qu'une, on ôte donc " + ab + " en " + NommerCase(autre.ligne, autre.colonne);
}

std::string DireBugPlus1(const Etape& e)
{
    const CaseChiffre& x = e.poses.front();
    return "BUG+1 : toutes les cases vides n'ont que deux chiffres, sauf " + CaseEtCandidats(e, 0) + " ; sans le " +
           std::to_string(x.chiffre) + " dans cette case, chaque chiffre aurait zéro ou deux places dans chaque unité, "
           "ce qui ne laisse jamais une seule solution ; la grille n'en a qu'une, le " + std::to_string(x.chiffre) +
           " va donc en " + NommerCase(x.ligne, x.colonne);
}

std::string DireColoriage(const Etape& e)
{
    std::string paires;
    for (const Paire& p : e.paires) {
        const bool avant = p.a.ligne * 9 + p.a.colonne < p.b.ligne * 9 + p.b.colonne;
        paires += (paires.empty() ? "" : " ; ") + NommerCases({avant ? p.a : p.b, avant ? p.b : p.a});
    }
    // Les cases de la première couleur, puis celles de la seconde : la première est celle de la
    // première paire, les autres suivent en alternant le long des paires.
    std::vector<Coordonnees> premiere{e.paires.front().a}, seconde;
    for (const Paire& p : e.paires) {
        const bool dansPremiere = std::find(premiere.begin(), premiere.end(), p.a) != premiere.end();
        (dansPremiere ? seconde : premiere).push_back(p.b);
    }
    const std::string d = std::to_string(PremierChiffre(e));
    std::string texte = "coloriage du " + d + " : ses paires de places (" + paires + ") font deux couleurs, " +
                        NommerCases(premiere) + " d'un côté, " + NommerCases(seconde) +
                        " de l'autre, et le " + d + " va dans toutes les cases d'une couleur ; ";
    const std::vector<Coordonnees> otees = CasesOtees(e.retraits, PremierChiffre(e));
    if (!e.conflit.empty()) {
        return texte + NommerCases(e.conflit) + ", de même couleur, se voient : ce n'est pas celle du " + d +
               ", on l'ôte donc en " + NommerCases(otees);
    }
    return texte + NommerCases(otees) + (otees.size() > 1 ? " voient" : " voit") +
           " les deux couleurs, on y ôte donc le " + d;
}

// Ce qui s'ensuivrait de l'essai d'une preuve : "le 7 irait en ligne 4, colonne 6 (seul
// chiffre possible)", "le 5 en ligne 2, colonne 3 (seule place dans la ligne 2)".
std::string DireImplication(const Etape& x, bool premiere)
{
    const CaseChiffre& p = x.poses.front();
    return "le " + std::to_string(p.chiffre) + (premiere ? " irait en " : " en ") + NommerCase(p.ligne, p.colonne) +
           (x.technique == Technique::SeulCandidat ? " (seul chiffre possible)" : " (seule place dans la " + NommerUnite(x.unites.front()) + ")");
}

std::string DireContradictionSupposee(const Etape& c)
{
    const std::string chiffre = std::to_string(PremierChiffre(c));
    switch (c.contradiction) {
    case GenreContradiction::CaseSansChiffre:
        return NommerCase(c.cases.front().ligne, c.cases.front().colonne) + " n'aurait plus aucun chiffre possible";
    case GenreContradiction::ChiffreSansPlace:
        return "le " + chiffre + " n'aurait plus de place dans la " + NommerUnite(c.unites.front());
    case GenreContradiction::ChiffreRepete:
        return "le " + chiffre + " serait deux fois dans la " + NommerUnite(c.unites.front());
    case GenreContradiction::Aucune:
        break;
    }
    return {};
}

std::string DirePreuve(const Etape& e)
{
    const CaseChiffre& essai = e.retraits.front();
    const std::string ou = NommerCase(essai.ligne, essai.colonne);
    std::string texte = "preuve par l'absurde : si le " + std::to_string(essai.chiffre) + " allait en " + ou + ", ";
    for (std::size_t k = 0; k + 1 < e.implications.size(); ++k)
        texte += (k > 0 ? ", " : "") + DireImplication(e.implications[k], k == 0);
    if (e.implications.size() > 1) texte += " ; et ";
    return texte + DireContradictionSupposee(e.implications.back()) + " ; le " + std::to_string(essai.chiffre) +
           " ne va donc pas en " + ou;
}

// Où regarder, dans le premier temps d'un indice : l'unité de l'étape, la région de sa
// première case, son chiffre, sa première case (le pivot d'une aile, le départ d'une chaîne,
// la case d'une hypothèse), ses chiffres, l'essai d'une preuve.
enum class Ou { Unite, Region, Chiffre, Pivot, Depart, EnCase, Chiffres, Essai, Rien };

// Les mots de chaque technique : une technique de plus, c'est une ligne ici (son identifiant
// dans le JSON, son nom, sa phrase, son nom avec l'article et où la chercher pour un indice).
struct Mots {
    Technique technique;
    std::string_view id;
    std::string_view nom;
    std::string (*phrase)(const Etape&);
    std::string_view indice;
    Ou ou;
};
constexpr std::array<Mots, NombreTechniques> MotsTechniques{{
    {Technique::SeulCandidat, "seul_candidat", "seul candidat", DireSeulCandidat, "un seul candidat", Ou::Region},
    {Technique::SeulePlaceLigne, "seule_place_ligne", "seule place dans une ligne", DireSeulePlace, "une seule place",
     Ou::Unite},
    {Technique::SeulePlaceColonne, "seule_place_colonne", "seule place dans une colonne", DireSeulePlace,
     "une seule place", Ou::Unite},
    {Technique::SeulePlaceRegion, "seule_place_region", "seule place dans une région", DireSeulePlace,
     "une seule place", Ou::Unite},
    {Technique::VerrouilleRegion, "verrouille_region", "candidats verrouillés (région)", DireVerrouille,
     "des candidats verrouillés", Ou::Unite},
    {Technique::VerrouilleLigne, "verrouille_ligne", "candidats verrouillés (ligne)", DireVerrouille,
     "des candidats verrouillés", Ou::Unite},
    {Technique::VerrouilleColonne, "verrouille_colonne", "candidats verrouillés (colonne)", DireVerrouille,
     "des candidats verrouillés", Ou::Unite},
    {Technique::PaireNue, "paire_nue", "paire nue", DireNu, "une paire nue", Ou::Unite},
    {Technique::PaireCachee, "paire_cachee", "paire cachée", DireCache, "une paire cachée", Ou::Unite},
    {Technique::TripletNu, "triplet_nu", "triplet nu", DireNu, "un triplet nu", Ou::Unite},
    {Technique::TripletCache, "triplet_cache", "triplet caché", DireCache, "un triplet caché", Ou::Unite},
    {Technique::XWing, "x_wing", "X-wing", DirePoisson, "un X-wing", Ou::Chiffre},
    {Technique::Swordfish, "swordfish", "swordfish", DirePoisson, "un swordfish", Ou::Chiffre},
    {Technique::XYWing, "xy_wing", "XY-wing", DireXYWing, "un XY-wing", Ou::Pivot},
    {Technique::XYZWing, "xyz_wing", "XYZ-wing", DireXYZWing, "un XYZ-wing", Ou::Pivot},
    {Technique::WWing, "w_wing", "W-wing", DireWWing, "un W-wing", Ou::Chiffres},
    {Technique::PairesDistantes, "paires_distantes", "paires distantes", DirePairesDistantes, "des paires distantes",
     Ou::Chiffres},
    {Technique::GratteCiel, "gratte_ciel", "gratte-ciel", DireChaine, "un gratte-ciel", Ou::Chiffre},
    {Technique::CerfVolant, "cerf_volant", "cerf-volant", DireChaine, "un cerf-volant", Ou::Chiffre},
    {Technique::RectangleUnique, "rectangle_unique", "rectangle unique", DireRectangle, "un rectangle unique",
     Ou::Chiffres},
    {Technique::BugPlus1, "bug_plus_1", "BUG+1", DireBugPlus1, "un BUG+1", Ou::EnCase},
    {Technique::Coloriage, "coloriage", "coloriage", DireColoriage, "un coloriage", Ou::Chiffre},
    {Technique::ChaineX, "chaine_x", "chaîne X", DireChaine, "une chaîne X", Ou::Chiffre},
    {Technique::ChaineXY, "chaine_xy", "chaîne XY", DireChaine, "une chaîne XY", Ou::Depart},
    {Technique::ChaineAlternee, "chaine_alternee", "chaîne alternée", DireChaine, "une chaîne alternée", Ou::Depart},
    {Technique::PreuveParLAbsurde, "preuve", "preuve par l'absurde", DirePreuve, "une preuve par l'absurde", Ou::Essai},
    {Technique::Hypothese, "hypothese", "hypothèse", DireHypothese, "une hypothèse", Ou::EnCase},
    {Technique::Contradiction, "contradiction", "contradiction", DireContradiction, "une contradiction", Ou::Rien},
    {Technique::Solution, "solution", "solution", DireSolution, "la grille pleine", Ou::Rien},
}};
static_assert(UneLigneParTechnique(MotsTechniques));

const Mots& MotsDe(Technique technique) { return MotsTechniques[static_cast<std::size_t>(technique)]; }

// Une note à un chiffre après la virgule, sans dépendre de la locale du programme.
std::string Dixiemes(double note, char virgule)
{
    const long dixiemes = std::lround(note * 10.0);
    return std::to_string(dixiemes / 10) + virgule + std::to_string(dixiemes % 10);
}

void EchapperJson(std::string& sortie, std::string_view texte)
{
    sortie += '"';
    for (const char c : texte) {
        switch (c) {
        case '"': sortie += "\\\""; break;
        case '\\': sortie += "\\\\"; break;
        case '\n': sortie += "\\n"; break;
        case '\r': sortie += "\\r"; break;
        case '\t': sortie += "\\t"; break;
        case '\b': sortie += "\\b"; break;
        case '\f': sortie += "\\f"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                sortie += code;
            } else {
                sortie += c;  // l'UTF-8 passe tel quel
            }
        }
    }
    sortie += '"';
}

std::string Chiffres81(const Position& p)
{
    std::string texte(81, '0');
    for (int i = 0; i < 81; ++i) texte[i] = static_cast<char>('0' + (p[i] >= 1 && p[i] <= 9 ? p[i] : 0));
    return texte;
}

void CaseChiffreJson(std::string& sortie, const CaseChiffre& c)
{
    sortie += "{\"ligne\": " + Numero(c.ligne) + ", \"colonne\": " + Numero(c.colonne) +
              ", \"chiffre\": " + std::to_string(c.chiffre) + "}";
}

void CasesChiffresJson(std::string& sortie, const std::vector<CaseChiffre>& liste)
{
    sortie += '[';
    for (std::size_t k = 0; k < liste.size(); ++k) {
        if (k > 0) sortie += ", ";
        CaseChiffreJson(sortie, liste[k]);
    }
    sortie += ']';
}

void CasesJson(std::string& sortie, const std::vector<Coordonnees>& cases)
{
    sortie += '[';
    for (std::size_t k = 0; k < cases.size(); ++k) {
        if (k > 0) sortie += ", ";
        sortie += "{\"ligne\": " + Numero(cases[k].ligne) + ", \"colonne\": " + Numero(cases[k].colonne) + "}";
    }
    sortie += ']';
}

void UniteJson(std::string& sortie, const Unite& u)
{
    static constexpr std::array<const char*, 3> Genres{"ligne", "colonne", "region"};
    sortie += "{\"genre\": \"" + std::string(Genres[static_cast<int>(u.genre)]) + "\", \"numero\": " + Numero(u.numero) + "}";
}

// Une étape ; celles d'une preuve (ce qui s'ensuivrait de l'essai) n'ont pas de texte : seule la
// phrase de la preuve les dit, au conditionnel.
void EtapeJson(std::string& sortie, const Etape& e, bool avecTexte = true)
{
    sortie += "{\"technique\": ";
    EchapperJson(sortie, IdTechnique(e.technique));
    if (avecTexte) {
        sortie += ", \"texte\": ";
        EchapperJson(sortie, DecrireEtape(e));
    }
    sortie += ", \"niveau\": " + std::to_string(e.niveau) + ", \"poses\": ";
    CasesChiffresJson(sortie, e.poses);
    sortie += ", \"retraits\": ";
    CasesChiffresJson(sortie, e.retraits);
    sortie += ", \"cases\": ";
    CasesJson(sortie, e.cases);
    sortie += ", \"unites\": [";
    for (std::size_t k = 0; k < e.unites.size(); ++k) {
        if (k > 0) sortie += ", ";
        UniteJson(sortie, e.unites[k]);
    }
    sortie += "], \"chiffres\": [";
    bool premier = true;
    for (int32_t d = 1; d <= 9; ++d) {
        if (!(e.chiffres & (1u << (d - 1)))) continue;
        if (!premier) sortie += ", ";
        sortie += std::to_string(d);
        premier = false;
    }
    sortie += ']';
    if (e.faux) {
        // Le niveau abandonné, en intervalle comme avant : on n'en abandonne qu'un à la fois.
        const std::string abandon = std::to_string(e.niveau + 1);
        sortie += ", \"faux\": ";
        CaseChiffreJson(sortie, *e.faux);
        sortie += ", \"abandon\": [" + abandon + ", " + abandon + "]";
    }
    if (e.technique == Technique::Solution || e.technique == Technique::Hypothese)
        sortie += e.unique ? ", \"unique\": true" : ", \"unique\": false";
    if (!e.noeuds.empty()) {
        sortie += ", \"noeuds\": [";
        for (std::size_t k = 0; k < e.noeuds.size(); ++k) {
            sortie += k > 0 ? ", {\"cases\": " : "{\"cases\": ";
            CasesJson(sortie, e.noeuds[k].cases);
            sortie += ", \"chiffre\": " + std::to_string(e.noeuds[k].chiffre) + "}";
        }
        sortie += "], \"liens\": [";
        for (std::size_t k = 0; k < e.liens.size(); ++k) {
            const Lien& l = e.liens[k];
            sortie += std::string(k > 0 ? ", " : "") + "{\"genre\": \"" + (l.fort ? "fort" : "faible") + "\", \"par\": \"" +
                      (l.parCase ? "case\"" : "unite\", \"unite\": ");
            if (!l.parCase) UniteJson(sortie, l.unite);
            sortie += '}';
        }
        sortie += ']';
    }
    if (!e.paires.empty()) {
        sortie += ", \"paires\": [";
        for (std::size_t k = 0; k < e.paires.size(); ++k) {
            sortie += k > 0 ? ", {\"cases\": " : "{\"cases\": ";
            CasesJson(sortie, {e.paires[k].a, e.paires[k].b});
            sortie += ", \"unite\": ";
            UniteJson(sortie, e.paires[k].unite);
            sortie += '}';
        }
        sortie += ']';
    }
    if (!e.conflit.empty()) {
        sortie += ", \"conflit\": ";
        CasesJson(sortie, e.conflit);
    }
    if (e.technique == Technique::PreuveParLAbsurde) {
        sortie += ", \"preuve\": {\"essai\": ";
        CaseChiffreJson(sortie, e.retraits.front());
        sortie += ", \"implications\": [";
        for (std::size_t k = 0; k + 1 < e.implications.size(); ++k) {
            if (k > 0) sortie += ", ";
            EtapeJson(sortie, e.implications[k], false);
        }
        sortie += "], \"contradiction\": ";
        EtapeJson(sortie, e.implications.back(), false);
        sortie += '}';
    }
    sortie += '}';
}

}  // namespace

std::string_view IdTechnique(Technique technique) { return MotsDe(technique).id; }

std::string_view NomTechnique(Technique technique) { return MotsDe(technique).nom; }

std::string NommerUnite(const Unite& unite)
{
    static constexpr std::array<const char*, 3> Mots{"ligne ", "colonne ", "région "};
    return Mots[static_cast<int>(unite.genre)] + Numero(unite.numero);
}

std::string DecrireRepetition(const Repetition& r)
{
    return NommerUnite(r.unite) + " : le " + std::to_string(r.chiffre) + " " + Fois(r.cases.size()) + " fois, " +
           CasesDansUnite(r.unite, r.cases);
}

std::string DecrireEtape(const Etape& etape)
{
    // L'hypothèse, la contradiction et la solution disent leurs niveaux elles-mêmes.
    const bool ditSonNiveau = etape.technique == Technique::Hypothese || etape.technique == Technique::Contradiction ||
                              etape.technique == Technique::Solution;
    return MotsDe(etape.technique).phrase(etape) + (ditSonNiveau ? "" : MarqueNiveau(etape.niveau));
}

std::string IndiceOu(const Etape& e)
{
    const Mots& mots = MotsDe(e.technique);
    std::string texte(mots.indice);
    switch (mots.ou) {
    case Ou::Unite:
        return texte + " dans la " + NommerUnite(e.unites.front());
    case Ou::Region: {
        const Coordonnees& c = e.cases.front();
        return texte + " dans la " + NommerUnite({GenreUnite::Region, c.ligne / 3 * 3 + c.colonne / 3});
    }
    case Ou::Chiffre:
        return texte + " sur le " + std::to_string(PremierChiffre(e));
    case Ou::Pivot:
    case Ou::Depart:
    case Ou::EnCase: {
        static constexpr std::array<const char*, 3> Mots{" autour de ", " qui part de ", " en "};
        return texte + Mots[static_cast<int>(mots.ou) - static_cast<int>(Ou::Pivot)] +
               NommerCase(e.cases.front().ligne, e.cases.front().colonne);
    }
    case Ou::Chiffres:
        return texte + " sur " + LesChiffres(e.technique == Technique::WWing ? e.candidatsCases.front() : e.chiffres);
    case Ou::Essai:
        return texte + " : essayez le " + std::to_string(e.retraits.front().chiffre) + " en " +
               NommerCase(e.retraits.front().ligne, e.retraits.front().colonne);
    case Ou::Rien:
        break;
    }
    return DecrireEtape(e);
}

std::string IndiceCandidats(const Etape& e)
{
    const std::vector<CaseChiffre> enJeu = CandidatsEnJeu(e);
    std::vector<std::string> parties;
    for (std::size_t k = 0; k < enJeu.size();) {
        uint16_t chiffres = 0;
        std::size_t fin = k;
        for (; fin < enJeu.size() && static_cast<const Coordonnees&>(enJeu[fin]) == enJeu[k]; ++fin)
            chiffres |= static_cast<uint16_t>(1u << (enJeu[fin].chiffre - 1));
        parties.push_back(NommerCase(enJeu[k].ligne, enJeu[k].colonne) + " (" + LesChiffres(chiffres) + ")");
        k = fin;
    }
    if (parties.empty()) return IndiceOu(e);
    return IndiceOu(e) + " : " + Joindre(parties);
}

std::vector<std::string> DecrireProchainePose(const ProchainePose& reponse)
{
    std::vector<std::string> phrases;
    switch (reponse.issue) {
    case ProchainePose::Pose:
        for (const Etape& e : reponse.chaine) phrases.push_back(DecrireEtape(e));
        break;
    case ProchainePose::Hypothese:
        phrases.push_back(ResumerProchainePose(reponse));
        break;
    case ProchainePose::Pleine:
        phrases.push_back("la grille est pleine");
        break;
    case ProchainePose::Impossible:
        phrases.push_back("cette position n'a pas de solution");
        break;
    }
    return phrases;
}

std::string ResumerProchainePose(const ProchainePose& reponse)
{
    if (reponse.issue == ProchainePose::Hypothese) {
        // Sur une grille à plusieurs solutions, aucun raisonnement ne décide : on le dit.
        return std::string(reponse.unique ? "aucune déduction simple" : PlusieursSolutions) +
               " : il faut une hypothèse, par exemple " +
               NommerCase(reponse.caseHypothese.ligne, reponse.caseHypothese.colonne) + " (" +
               NommerChiffres(reponse.candidats) + ")";
    }
    if (reponse.issue != ProchainePose::Pose || reponse.chaine.empty()) return DecrireProchainePose(reponse).front();
    // Seule, la pose dit ce qui est vrai maintenant ; après d'autres étapes, elle ne l'est
    // qu'au bout d'elles.
    if (reponse.chaine.size() == 1) return DecrireEtape(reponse.chaine.front());
    const CaseChiffre& pose = reponse.chaine.back().poses.front();
    return "en " + std::to_string(reponse.chaine.size()) + " étapes, le " + std::to_string(pose.chiffre) + " va en " +
           NommerCase(pose.ligne, pose.colonne);
}

IndiceMontre MontrerIndice(const ProchainePose& reponse, int32_t temps)
{
    IndiceMontre indice;
    if (reponse.issue == ProchainePose::Pose && temps < 3) {
        // Seule la première étape est vraie dès maintenant : l'indice ne parle que d'elle.
        const Etape& e = reponse.chaine.front();
        indice.suite = true;
        if (temps <= 1) {
            indice.resume = IndiceOu(e);
        } else {
            indice.resume = IndiceCandidats(e);
            indice.enJeu = CandidatsEnJeu(e);
            indice.retraits = e.retraits;
            for (const Coordonnees& c : indice.enJeu)
                if (std::find(indice.cases.begin(), indice.cases.end(), c) == indice.cases.end()) indice.cases.push_back(c);
        }
        indice.resume += temps <= 1 ? " (« Pourquoi ? » encore : les candidats)" : " (« Pourquoi ? » encore : la réponse)";
        indice.phrases = {indice.resume};
        return indice;
    }
    indice.resume = ResumerProchainePose(reponse);
    indice.phrases = DecrireProchainePose(reponse);
    for (std::size_t k = 0; indice.phrases.size() > 1 && k < indice.phrases.size(); ++k)
        indice.phrases[k] = std::to_string(k + 1) + ". " + indice.phrases[k];
    indice.cases = reponse.casesAMontrer;
    for (const Etape& e : reponse.chaine) indice.retraits.insert(indice.retraits.end(), e.retraits.begin(), e.retraits.end());
    return indice;
}

std::string TexteNote(double note, char virgule) { return Dixiemes(note, virgule); }

std::vector<std::string> DecrireBilan(const Bilan& bilan)
{
    std::vector<std::string> lignes;
    if (!bilan.resolue) {
        lignes.push_back("pas de solution");
        return lignes;
    }
    if (!bilan.plusDifficile) {
        lignes.push_back("grille déjà pleine");
        return lignes;
    }
    if (*bilan.plusDifficile == Technique::Hypothese) {
        lignes.push_back("il faut des hypothèses, jusqu'à " + std::to_string(bilan.niveauMax) + " niveau" +
                         (bilan.niveauMax > 1 ? "x" : "") + " à la fois (note " + Dixiemes(bilan.note, ',') + ")");
    } else {
        lignes.push_back("technique la plus dure : " + std::string(NomTechnique(*bilan.plusDifficile)) + " (note " +
                         Dixiemes(bilan.note, ',') + ")");
    }
    for (int32_t t = 0; t < NombreTechniques; ++t) {
        if (bilan.compte[t] > 0)
            lignes.push_back(std::string(NomTechnique(static_cast<Technique>(t))) + " : " + std::to_string(bilan.compte[t]));
    }
    return lignes;
}

std::string ExplicationEnJson(const Explication& explication)
{
    std::string sortie = "{\"depart\": \"" + Chiffres81(explication.depart) +
                         "\", \"unique\": " + (explication.unique ? "true" : "false") + ", \"etapes\": [";
    for (std::size_t k = 0; k < explication.etapes.size(); ++k) {
        sortie += k > 0 ? ",\n  " : "\n  ";
        EtapeJson(sortie, explication.etapes[k]);
    }
    sortie += "\n], \"solution\": ";
    sortie += explication.solution ? "\"" + Chiffres81(*explication.solution) + "\"" : std::string("null");
    const Bilan bilan = DresserBilan(explication);
    sortie += ",\n\"resume\": {\"techniques\": {";
    bool premier = true;
    for (int32_t t = 0; t < NombreTechniques; ++t) {
        if (bilan.compte[t] == 0) continue;
        if (!premier) sortie += ", ";
        EchapperJson(sortie, IdTechnique(static_cast<Technique>(t)));
        sortie += ": " + std::to_string(bilan.compte[t]);
        premier = false;
    }
    sortie += "}, \"plus_difficile\": ";
    if (bilan.plusDifficile) EchapperJson(sortie, IdTechnique(*bilan.plusDifficile));
    else sortie += "null";
    sortie += ", \"niveau_max\": " + std::to_string(bilan.niveauMax) + ", \"note\": " + Dixiemes(bilan.note, '.') + "}}\n";
    return sortie;
}

std::string TexteJson(std::string_view texte)
{
    std::string chaine;
    EchapperJson(chaine, texte);
    return chaine;
}
