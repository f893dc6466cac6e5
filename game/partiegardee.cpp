// Le format de la partie gardée : un texte en UTF-8, une donnée par ligne, dans un ordre fixe,
// relu borné (aucune ligne ne passe LongueurMax, aucun historique CoupsMax). Rien n'est rendu
// tant que tout le texte n'a pas été lu et vérifié, et seul un état que le jeu peut faire est
// accepté. Un éditeur peut y avoir mis une marque d'ordre d'octets (BOM), des blancs en fin de
// ligne et des lignes blanches à la fin : ils ne comptent pas.
//
//   Novemia partie 2
//   cases <81 caractères : « . » ou 1 à 9>
//   origines <81 chiffres de 0 à 7, l'OrigineCase de chaque case>
//   solution <81 chiffres>           ou « solution - » sans solution gardée
//   marques <81 chiffres : 0, 1 indice, 5 coup de main>   ou « marques - »
//   notes <81 nombres de 0 à 511, séparés par une espace>
//   palette <chiffre choisi : -1 rien, 0 la gomme, 1 à 9>
//   hypothese <0 ou 1>
//   statut <texte de base de la ligne d'état>
//   resultat <texte qui s'y ajoute>  (ces deux textes avec \\, \n et \r échappés)
//   temps <millisecondes de jeu>
//   statistiques <catégorie, ou « - »> <aidée : 0 ou 1> <finie : 0 ou 1>
//   coups <nombre de coups> <nombre de coups joués>
//   coup <ligne> <colonne> <chiffre> <origine> <chiffre> <origine> [<case>:<avant>:<après>]…
//   fin
//
// Un coup donne la case avant puis après (ligne et colonne -1 pour des notes seules), puis
// les notes qu'il change. Les coups joués viennent d'abord, les coups défaits ensuite. Une
// partie de la version 1 n'a ni « temps » ni « statistiques » : son temps part de zéro, et elle
// n'est pas comptée.
#include "game/partiegardee.h"

#include <algorithm>
#include <bitset>
#include <charconv>
#include <limits>
#include <span>
#include <vector>

#include "files/lignebornee.h"
#include "game/statistiques.h"

namespace {

constexpr std::string_view Entete = "Novemia partie ";
constexpr int Version = 2;
// Assez pour un coup qui change les notes des 81 cases et pour un long nom de fichier.
constexpr std::size_t LongueurMax = 4096;
constexpr std::size_t CoupsMax = 100000;
// La plus longue ligne de coup qu'EcrirePartieGardee écrit : « coup -1 -1 0 0 0 0 » au plus
// large, puis les notes des 81 cases, « 80:511:511 » chacune.
constexpr std::uintmax_t LongueurCoupMax =
    std::string_view("coup -1 -1 0 0 0 0").size() + 81 * std::string_view(" 80:511:511").size();
constexpr std::string_view Blancs = " \t";
constexpr std::string_view Bom = "\xEF\xBB\xBF";

std::string Echapper(std::string_view texte)
{
    std::string s;
    for (const char c : texte) {
        if (c == '\\') s += "\\\\";
        else if (c == '\n') s += "\\n";
        else if (c == '\r') s += "\\r";
        else s += c;
    }
    return s;
}

std::optional<std::string> Desechapper(std::string_view texte)
{
    std::string s;
    for (std::size_t k = 0; k < texte.size(); ++k) {
        if (texte[k] != '\\') {
            s += texte[k];
            continue;
        }
        if (++k == texte.size()) return std::nullopt;
        if (texte[k] == '\\') s += '\\';
        else if (texte[k] == 'n') s += '\n';
        else if (texte[k] == 'r') s += '\r';
        else return std::nullopt;
    }
    return s;
}

// Un texte UTF-8 bien formé.
bool Utf8Valide(std::string_view texte)
{
    for (std::size_t i = 0; i < texte.size();) {
        const auto c = static_cast<unsigned char>(texte[i]);
        // La longueur de la séquence, et les bornes de son deuxième octet : ni forme trop longue,
        // ni moitié de paire UTF-16, rien au-delà de U+10FFFF.
        const std::size_t n = c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
        const unsigned bas = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
        const unsigned haut = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
        if (n == 0 || texte.size() - i < n) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto suite = static_cast<unsigned char>(texte[i + k]);
            if (suite < (k == 1 ? bas : 0x80u) || suite > (k == 1 ? haut : 0xBFu)) return false;
        }
        i += n;
    }
    return true;
}

// Un nombre entier écrit en entier, borné.
template <typename Entier>
bool Nombre(std::string_view texte, Entier min, Entier max, Entier& valeur)
{
    const char* fin = texte.data() + texte.size();
    const auto [fait, erreur] = std::from_chars(texte.data(), fin, valeur);
    return !texte.empty() && erreur == std::errc() && fait == fin && valeur >= min && valeur <= max;
}

std::vector<std::string_view> Morceaux(std::string_view texte, char separateur)
{
    std::vector<std::string_view> morceaux;
    for (std::size_t debut = 0;;) {
        const std::size_t fin = texte.find(separateur, debut);
        morceaux.push_back(texte.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut));
        if (fin == std::string_view::npos) return morceaux;
        debut = fin + 1;
    }
}

// 81 caractères, chacun lu par `lire` (faux pour un caractère interdit).
template <typename Lire>
bool Lire81(std::string_view texte, Lire lire)
{
    if (texte.size() != 81) return false;
    for (int i = 0; i < 81; ++i) {
        if (!lire(i, texte[i])) return false;
    }
    return true;
}

// Les origines d'un chiffre posé par un clic en jeu.
bool OrigineDeClic(int origine) { return origine == Vide || origine == CoupJoueur || origine == HypoJoueur; }

// Ce que lit le fichier, avant toute vérification d'ensemble.
struct Lu {
    std::array<int32_t, 81> chiffres{};
    std::array<int32_t, 81> origines{};
    std::optional<std::array<CaseSolution, 81>> solution;
    std::array<uint16_t, 81> notes{};
    int palette = -1;
    int hypothese = 0;
    std::string statut;
    std::string resultat;
    int64_t temps = 0;
    std::string categorie;
    int aidee = 0;
    int finie = 0;
    std::vector<Coup> coups;
    std::size_t joues = 0;
};

class CLecteur {
public:
    explicit CLecteur(std::istream& entree) : entree(entree) {}

    // La ligne suivante, qui doit être `cle`, suivie d'une espace et du reste qu'elle rend.
    // Les blancs de fin de ligne ne comptent pas (aucun texte gardé ne finit par un blanc) :
    // « resultat », dont l'éditeur a ôté l'espace, est un résultat vide.
    std::optional<std::string> Ligne(std::string_view cle)
    {
        auto reste = LigneEntiere();
        if (!reste || !reste->starts_with(cle) || (reste->size() > cle.size() && (*reste)[cle.size()] != ' ')) {
            return std::nullopt;
        }
        return reste->substr(std::min(reste->size(), cle.size() + 1));
    }
    std::optional<std::string> LigneEntiere()
    {
        if (!LireLigneBornee(entree, LongueurMax, ligne) || ligne.tropLongue) return std::nullopt;
        std::string_view vue = ligne.debut;
        if (premiere && vue.starts_with(Bom)) vue.remove_prefix(Bom.size());
        premiere = false;
        return std::string(vue.substr(0, vue.find_last_not_of(Blancs) + 1));
    }
    // Plus rien, ou seulement des lignes blanches.
    bool FinDuFlux()
    {
        LigneBornee reste;
        while (LireLigneBornee(entree, LongueurMax, reste)) {
            if (reste.tropLongue || reste.debut.find_first_not_of(Blancs) != std::string::npos) return false;
        }
        return !entree.bad();
    }

private:
    std::istream& entree;
    LigneBornee ligne;
    bool premiere = true;
};

std::optional<Coup> LireCoup(std::string_view texte)
{
    const auto champs = Morceaux(texte, ' ');
    if (champs.size() < 6) return std::nullopt;
    Coup coup;
    int origineAvant = 0, origineApres = 0;
    if (!Nombre(champs[0], -1, 8, coup.ligne) || !Nombre(champs[1], -1, 8, coup.colonne) ||
        !Nombre(champs[2], 0, 9, coup.chiffreAvant) || !Nombre(champs[3], 0, 7, origineAvant) ||
        !Nombre(champs[4], 0, 9, coup.chiffreApres) || !Nombre(champs[5], 0, 7, origineApres)) {
        return std::nullopt;
    }
    coup.origineAvant = static_cast<OrigineCase>(origineAvant);
    coup.origineApres = static_cast<OrigineCase>(origineApres);
    // Les notes changées : chaque case une fois au plus (81 en tout), et vraiment changée.
    std::bitset<81> vues;
    for (std::size_t k = 6; k < champs.size(); ++k) {
        const auto parties = Morceaux(champs[k], ':');
        int caseNo = 0, avant = 0, apres = 0;
        if (parties.size() != 3 || !Nombre(parties[0], 0, 80, caseNo) || !Nombre(parties[1], 0, 511, avant) ||
            !Nombre(parties[2], 0, 511, apres) || vues.test(static_cast<std::size_t>(caseNo)) || avant == apres) {
            return std::nullopt;
        }
        vues.set(static_cast<std::size_t>(caseNo));
        coup.notes.push_back({caseNo, static_cast<uint16_t>(avant), static_cast<uint16_t>(apres)});
    }
    const bool avecCase = coup.ligne >= 0 && coup.colonne >= 0;
    const bool sansCase = coup.ligne < 0 && coup.colonne < 0;
    // Un coup de clic : chiffre vide sans origine, et inversement ; un coup sur une case la
    // change ; un coup sans case ne change que des notes.
    const bool chiffresCoherents = (coup.chiffreAvant == 0) == (coup.origineAvant == Vide) &&
                                   (coup.chiffreApres == 0) == (coup.origineApres == Vide) &&
                                   OrigineDeClic(coup.origineAvant) && OrigineDeClic(coup.origineApres);
    const bool caseChangee = coup.chiffreAvant != coup.chiffreApres || coup.origineAvant != coup.origineApres;
    if (!((avecCase && caseChangee) ||
          (sansCase && coup.chiffreAvant == 0 && coup.chiffreApres == 0 && !coup.notes.empty())) ||
        !chiffresCoherents) {
        return std::nullopt;
    }
    return coup;
}

// Tout le fichier, ligne après ligne ; rien, avec la raison, au premier écart.
std::optional<std::string> Analyser(std::istream& entree, Lu& lu)
{
    CLecteur lecteur(entree);
    const auto premiere = lecteur.LigneEntiere();
    int version = 0;
    if (!premiere || !premiere->starts_with(Entete) ||
        !Nombre(std::string_view(*premiere).substr(Entete.size()), 1, std::numeric_limits<int>::max(), version)) {
        return std::string(entree.bad() ? RaisonIllisible : RaisonEtrangere);
    }
    if (version > Version) return std::string(RaisonVersion);
    const std::string abimee(RaisonAbimee);

    const auto cases = lecteur.Ligne("cases");
    if (!cases || !Lire81(*cases, [&](int i, char c) {
            lu.chiffres[i] = c == '.' ? 0 : c - '0';
            return c == '.' || (c >= '1' && c <= '9');
        })) {
        return abimee;
    }
    const auto origines = lecteur.Ligne("origines");
    if (!origines || !Lire81(*origines, [&](int i, char c) {
            lu.origines[i] = c - '0';
            return c >= '0' && c <= '7' && (lu.chiffres[i] == 0) == (c == '0');
        })) {
        return abimee;
    }
    const auto solution = lecteur.Ligne("solution");
    const auto marques = lecteur.Ligne("marques");
    if (!solution || !marques) return abimee;
    if (*solution != "-" || *marques != "-") {
        std::array<CaseSolution, 81> s{};
        if (!Lire81(*solution, [&](int i, char c) {
                s[i].chiffre = c - '0';
                return c >= '1' && c <= '9';
            }) ||
            !Lire81(*marques, [&](int i, char c) {
                s[i].marque = c - '0';
                return c == '0' || c == '1' || c == '5';
            })) {
            return abimee;
        }
        lu.solution = s;
    }
    const auto notes = lecteur.Ligne("notes");
    if (!notes) return abimee;
    const auto masques = Morceaux(*notes, ' ');
    if (masques.size() != 81) return abimee;
    for (int i = 0; i < 81; ++i) {
        int masque = 0;
        if (!Nombre(masques[i], 0, 511, masque)) return abimee;
        lu.notes[i] = static_cast<uint16_t>(masque);
    }
    const auto palette = lecteur.Ligne("palette");
    const auto hypothese = lecteur.Ligne("hypothese");
    if (!palette || !Nombre(*palette, -1, 9, lu.palette) || !hypothese || !Nombre(*hypothese, 0, 1, lu.hypothese)) {
        return abimee;
    }
    const auto statut = lecteur.Ligne("statut");
    std::optional<std::string> base = statut ? Desechapper(*statut) : std::nullopt;
    if (!base || !Utf8Valide(*base)) return abimee;
    lu.statut = *base;
    const auto resultat = lecteur.Ligne("resultat");
    std::optional<std::string> ajout = resultat ? Desechapper(*resultat) : std::nullopt;
    if (!ajout || !Utf8Valide(*ajout)) return abimee;
    lu.resultat = *ajout;
    if (version >= 2) {
        const auto temps = lecteur.Ligne("temps");
        const auto compte = lecteur.Ligne("statistiques");
        const auto champs = compte ? Morceaux(*compte, ' ') : std::vector<std::string_view>{};
        if (!temps || !Nombre<int64_t>(*temps, 0, std::numeric_limits<int64_t>::max(), lu.temps) || champs.size() != 3 || (champs[0] != "-" && !CleCategorieValide(champs[0])) ||
            !Nombre(champs[1], 0, 1, lu.aidee) || !Nombre(champs[2], 0, 1, lu.finie)) {
            return abimee;
        }
        lu.categorie = champs[0] == "-" ? std::string() : std::string(champs[0]);
    }

    const auto entete = lecteur.Ligne("coups");
    const auto nombres = entete ? Morceaux(*entete, ' ') : std::vector<std::string_view>{};
    int nombre = 0, joues = 0;
    if (nombres.size() != 2 || !Nombre(nombres[0], 0, static_cast<int>(CoupsMax), nombre) ||
        !Nombre(nombres[1], 0, nombre, joues)) {
        return abimee;
    }
    lu.joues = static_cast<std::size_t>(joues);
    for (int k = 0; k < nombre; ++k) {
        const auto ligne = lecteur.Ligne("coup");
        std::optional<Coup> coup = ligne ? LireCoup(*ligne) : std::nullopt;
        if (!coup) return abimee;
        lu.coups.push_back(std::move(*coup));
    }
    const auto fin = lecteur.LigneEntiere();
    if (!fin || *fin != "fin" || !lecteur.FinDuFlux()) return abimee;
    return std::nullopt;
}

// Les coups rejoués depuis l'état gardé : chacun doit trouver la case et les notes telles
// qu'il les a laissées (en arrière pour les joués, puis en avant pour tous).
bool CoupsCoherents(const Lu& lu)
{
    std::array<int32_t, 81> chiffres = lu.chiffres;
    std::array<int32_t, 81> origines = lu.origines;
    std::array<uint16_t, 81> notes = lu.notes;
    auto passer = [&](const Coup& coup, bool enArriere) {
        for (const NotesChangees& n : coup.notes) {
            if (notes[n.caseNo] != (enArriere ? n.apres : n.avant)) return false;
            notes[n.caseNo] = enArriere ? n.avant : n.apres;
        }
        if (coup.ligne < 0) return true;
        const int i = coup.ligne * 9 + coup.colonne;
        // Un indice ne change jamais par un clic en jeu.
        if (origines[i] == Init) return false;
        if (chiffres[i] != (enArriere ? coup.chiffreApres : coup.chiffreAvant) ||
            origines[i] != (enArriere ? coup.origineApres : coup.origineAvant)) {
            return false;
        }
        chiffres[i] = enArriere ? coup.chiffreAvant : coup.chiffreApres;
        origines[i] = enArriere ? coup.origineAvant : coup.origineApres;
        return true;
    };
    for (std::size_t k = lu.joues; k-- > 0;) {
        if (!passer(lu.coups[k], true)) return false;
    }
    return std::all_of(lu.coups.begin(), lu.coups.end(), [&](const Coup& coup) { return passer(coup, false); });
}

}  // namespace


// Le plus long texte qu'EcrirePartieGardee écrit : quatorze lignes d'au plus LongueurMax, puis
// CoupsMax coups d'au plus LongueurCoupMax, fins de ligne CR LF comprises (environ 91 Mo). Le
// double laisse aux blancs qu'un éditeur ajoute toute la place voulue.
const std::uintmax_t TailleGardeeMax = 2 * (14 * (LongueurMax + 2) + CoupsMax * (LongueurCoupMax + 2));

std::string EcrirePartieGardee(const PartieGardee& partie)
{
    const CGrille& grille = partie.grille;
    std::string texte = std::string(Entete) + std::to_string(Version) + "\ncases ";
    for (int i = 0; i < 81; ++i) {
        const int32_t chiffre = grille.LireCase(i / 9, i % 9).chiffre;
        texte += chiffre == 0 ? '.' : static_cast<char>('0' + chiffre);
    }
    texte += "\norigines ";
    for (int i = 0; i < 81; ++i) texte += static_cast<char>('0' + grille.LireCase(i / 9, i % 9).origine);
    if (grille.SolutionGardee()) {
        texte += "\nsolution ";
        for (int i = 0; i < 81; ++i) texte += static_cast<char>('0' + grille.LireSolution(i / 9, i % 9).chiffre);
        texte += "\nmarques ";
        for (int i = 0; i < 81; ++i) texte += static_cast<char>('0' + grille.LireSolution(i / 9, i % 9).marque);
    } else {
        texte += "\nsolution -\nmarques -";
    }
    texte += "\nnotes";
    for (const uint16_t masque : partie.notes) texte += " " + std::to_string(masque);
    texte += "\npalette " + std::to_string(partie.chiffreSelectionne) + "\nhypothese " +
             std::to_string(partie.modeHypothese) + "\nstatut " + Echapper(partie.statutBase) + "\nresultat " +
             Echapper(partie.statutResultat) + "\ntemps " + std::to_string(partie.tempsMs) + "\nstatistiques " +
             (partie.categorie.empty() ? std::string("-") : partie.categorie) + " " + (partie.aidee ? "1" : "0") +
             " " + (partie.finie ? "1" : "0");

    // Au-delà de CoupsMax, les plus anciens coups joués partent (puis les défaits les plus
    // lointains) : ce qui reste se défait et se refait comme avant.
    std::span<const Coup> coups = partie.historique.Tous();
    std::size_t joues = partie.historique.Joues().size();
    if (coups.size() > CoupsMax) {
        const std::size_t anciens = std::min(joues, coups.size() - CoupsMax);
        coups = coups.subspan(anciens);
        joues -= anciens;
        coups = coups.first(std::min(coups.size(), CoupsMax));
    }
    texte += "\ncoups " + std::to_string(coups.size()) + " " + std::to_string(joues) + "\n";
    for (const Coup& coup : coups) {
        texte += "coup " + std::to_string(coup.ligne) + " " + std::to_string(coup.colonne) + " " +
                 std::to_string(coup.chiffreAvant) + " " + std::to_string(coup.origineAvant) + " " +
                 std::to_string(coup.chiffreApres) + " " + std::to_string(coup.origineApres);
        for (const NotesChangees& n : coup.notes) {
            texte += " " + std::to_string(n.caseNo) + ":" + std::to_string(n.avant) + ":" + std::to_string(n.apres);
        }
        texte += "\n";
    }
    return texte + "fin\n";
}

std::optional<std::string> LirePartieGardee(std::istream& entree, PartieGardee& lue)
{
    Lu lu;
    // Une erreur de lecture en route ne dit rien du fichier.
    if (auto raison = Analyser(entree, lu)) return entree.bad() ? std::string(RaisonIllisible) : raison;
    lue.grille = CGrille();
    for (int i = 0; i < 81; ++i) lue.grille.ChangerCase(i / 9, i % 9, lu.chiffres[i], static_cast<OrigineCase>(lu.origines[i]));
    if ((lu.solution && !lue.grille.ReprendreSolution(*lu.solution)) || !CoupsCoherents(lu)) {
        return std::string(RaisonAbimee);
    }
    lue.notes = lu.notes;
    lue.historique.Reprendre(std::move(lu.coups), lu.joues);
    lue.chiffreSelectionne = lu.palette;
    lue.modeHypothese = lu.hypothese;
    lue.statutBase = std::move(lu.statut);
    lue.statutResultat = std::move(lu.resultat);
    lue.tempsMs = lu.temps;
    lue.categorie = std::move(lu.categorie);
    lue.aidee = lu.aidee == 1;
    lue.finie = lu.finie == 1;
    return std::nullopt;
}
