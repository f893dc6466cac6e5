// Lecture du fichier de couleurs d'un skin, caractère par caractère : une ligne n'est
// jamais gardée entière en mémoire, seuls la clé et les trois premiers champs comptent.
#include "skin/configuration.h"

#include "files/plateforme.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

constexpr int FinDeLigne = -2;
constexpr int FinDeFichier = -1;

// Les six clés exigées, puis les cinq facultatives, dans l'ordre où elles sont essayées.
constexpr std::array<std::string_view, 11> cles = {
    "Init=", "DeduitOrdi=", "HypoOrdi=", "CoupDeMain=", "CoupJoueur=", "HypoJoueur=",
    "Notes=", "Conflit=", "Surlignage=", "Explication=", "Retrait=",
};
constexpr std::size_t ClesExigees = 6;

// Clé (indice dans `cles`) qui remplit chaque entrée de la table des couleurs.
constexpr std::array<int, 11> cleDeLEntree = {0, 0, 1, 1, 2, 3, 4, 5, 0, 1, 0};

// Lit le flux en ramenant LF et CR LF à une seule fin de ligne ; un CR isolé reste un
// caractère de la ligne.
class CLecteurLignes {
public:
    explicit CLecteurLignes(std::istream& entree) : tampon(entree.rdbuf()) {}

    int Suivant()
    {
        if (tampon == nullptr) return FinDeFichier;
        const int c = tampon->sbumpc();
        if (c == std::char_traits<char>::eof()) return FinDeFichier;
        if (c == '\n') return FinDeLigne;
        if (c == '\r' && tampon->sgetc() == '\n') {
            tampon->sbumpc();
            return FinDeLigne;
        }
        return static_cast<unsigned char>(c);
    }

    // Saute le reste de la ligne ; rend FinDeLigne ou FinDeFichier.
    int SauterLigne(int c)
    {
        while (c != FinDeLigne && c != FinDeFichier) c = Suivant();
        return c;
    }

private:
    std::streambuf* tampon;
};

bool EstBlanc(int c)
{
    // Les blancs que saute atoi dans la locale "C".
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reconnaît une clé au tout début de la ligne. Rend son indice, ou -1 ; `c` reçoit le
// caractère qui suit la clé (ou celui qui a fait échouer la reconnaissance).
int LireCle(CLecteurLignes& lecteur, int& c)
{
    std::size_t lus = 0;
    std::array<char, 16> debut{};
    for (;;) {
        for (std::size_t k = 0; k < cles.size(); ++k) {
            if (cles[k] == std::string_view(debut.data(), lus)) {
                c = lecteur.Suivant();
                return static_cast<int>(k);
            }
        }
        c = lecteur.Suivant();
        if (c < 0 || c == 0) return -1;
        debut[lus++] = static_cast<char>(c);
        bool prefixe = false;
        for (const auto cle : cles) {
            if (cle.substr(0, lus) == std::string_view(debut.data(), lus)) prefixe = true;
        }
        if (!prefixe) return -1;
    }
}

// Un champ lu comme atoi, réduit à ses 8 bits bas. Le calcul se fait modulo 256 chiffre
// par chiffre : même résultat qu'atoi pour tout nombre représentable, et aucun
// débordement pour les nombres plus longs. S'arrête sur la virgule, la fin de ligne ou
// un octet nul ; `c` reçoit ce caractère.
uint8_t LireChamp(CLecteurLignes& lecteur, int& c)
{
    while (EstBlanc(c)) c = lecteur.Suivant();
    bool negatif = false;
    if (c == '+' || c == '-') {
        negatif = (c == '-');
        c = lecteur.Suivant();
    }
    unsigned valeur = 0;
    while (c >= '0' && c <= '9') {
        valeur = (valeur * 10 + static_cast<unsigned>(c - '0')) & 0xFFu;
        c = lecteur.Suivant();
    }
    // Le reste du champ ne compte pas.
    while (c >= 0 && c != ',' && c != 0) c = lecteur.Suivant();
    if (negatif) valeur = (256u - valeur) & 0xFFu;
    return static_cast<uint8_t>(valeur);
}

}  // namespace

ResultatConfiguration AnalyserConfiguration(std::istream& entree, const std::string& chemin)
{
    std::array<std::array<uint8_t, 3>, cles.size()> composantes{};
    uint64_t nombreValeurs = 0;
    // Une clé facultative ne compte qu'avec ses trois valeurs.
    std::array<uint64_t, cles.size()> valeursDeLaCle{};

    CLecteurLignes lecteur(entree);
    int c = 0;
    while (c != FinDeFichier) {
        const int cle = LireCle(lecteur, c);
        if (cle >= 0) {
            for (int champ = 0; champ < 3; ++champ) {
                while (c == ',') c = lecteur.Suivant();
                // Fin de ligne, fin de fichier ou octet nul (fin de la chaîne lue) :
                // plus de champ sur cette ligne.
                if (c < 0 || c == 0) break;
                composantes[cle][champ] = LireChamp(lecteur, c);
                ++valeursDeLaCle[cle];
                if (static_cast<std::size_t>(cle) < ClesExigees) ++nombreValeurs;
            }
        }
        c = lecteur.SauterLigne(c);
        if (c == FinDeLigne) c = 0;
    }

    ResultatConfiguration resultat;
    if (nombreValeurs != 18) {
        resultat.message = "Le fichier de configuration " + chemin + " comporte des erreurs";
        for (std::size_t cle = 0; cle < ClesExigees; ++cle) composantes[cle] = {};
    }
    const auto couleur = [&](std::size_t cle) {
        const auto& rvb = composantes[cle];
        return rvb[0] | (Couleur{rvb[1]} << 8) | (Couleur{rvb[2]} << 16);
    };
    for (std::size_t entree = 0; entree < resultat.couleurs.size(); ++entree) {
        resultat.couleurs[entree] = couleur(static_cast<std::size_t>(cleDeLEntree[entree]));
    }
    const auto facultative = [&](std::size_t cle, Couleur parDefaut) {
        return valeursDeLaCle[cle] == 3 ? couleur(cle) : parDefaut;
    };
    const Couleur conflit = facultative(7, ConflitParDefaut);
    resultat.ajoutees = {facultative(6, resultat.couleurs[6]), conflit, facultative(8, resultat.couleurs[9]),
                         facultative(9, resultat.couleurs[4]), facultative(10, conflit)};
    return resultat;
}

ResultatConfiguration LireConfiguration(const std::string& chemin)
{
    std::ifstream fichier;
    std::error_code erreur;
    // Un dossier s'ouvrirait sous Linux sans pouvoir se lire : on le traite en fichier absent.
    const std::filesystem::path systeme = CheminSysteme(chemin);
    if (!std::filesystem::is_directory(systeme, erreur)) {
        fichier.open(systeme, std::ios::binary);
    }
    if (!fichier.is_open()) {
        ResultatConfiguration resultat;
        resultat.resultat = -1;
        resultat.message = "Impossible d'ouvrir le fichier de configuration " + chemin;
        return resultat;
    }
    return AnalyserConfiguration(fichier, chemin);
}
