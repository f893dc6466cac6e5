// Lecture du fichier de couleurs : règles de la ligne, des champs et du compte de valeurs.
#include "skin/configuration.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

namespace {

// Rouge, vert, bleu attendus pour chacune des six clés, dans l'ordre
// Init, DeduitOrdi, HypoOrdi, CoupDeMain, CoupJoueur, HypoJoueur.
using Attendu = std::array<std::array<int, 3>, 6>;

Couleur Rvb(const std::array<int, 3>& c)
{
    return static_cast<Couleur>(c[0] + c[1] * 256 + c[2] * 65536);
}

const std::string completes =
    "Init=0,0,0\nDeduitOrdi=0,128,0\nHypoOrdi=255,128,0\n"
    "CoupDeMain=128,0,128\nCoupJoueur=0,0,255\nHypoJoueur=255,0,0\n";

struct Cas {
    const char* nom;
    std::string contenu;
    bool fautif;
    Attendu couleurs;  // ignoré quand le fichier est fautif : tout est noir
};

// Le nom du cas, pour les noms de tests : sans lui, GoogleTest écrirait les octets du cas.
void PrintTo(const Cas& cas, std::ostream* sortie) { *sortie << cas.nom; }

ResultatConfiguration Analyser(const std::string& contenu)
{
    std::istringstream entree(contenu);
    return AnalyserConfiguration(entree, "/skins/essai.cfg");
}

class AnalyseConfiguration : public ::testing::TestWithParam<Cas> {};

TEST_P(AnalyseConfiguration, DonneLesCouleursOuLeMessage)
{
    const Cas& cas = GetParam();
    const ResultatConfiguration r = Analyser(cas.contenu);
    EXPECT_EQ(r.resultat, 1);
    if (cas.fautif) {
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(*r.message, "Le fichier de configuration /skins/essai.cfg comporte des erreurs");
        for (Couleur c : r.couleurs) EXPECT_EQ(c, 0u);
        return;
    }
    EXPECT_FALSE(r.message.has_value()) << *r.message;
    // Une entrée par clé suffit ici ; la répartition sur les onze a son propre test.
    EXPECT_EQ(r.couleurs[1], Rvb(cas.couleurs[0]));
    EXPECT_EQ(r.couleurs[2], Rvb(cas.couleurs[1]));
    EXPECT_EQ(r.couleurs[4], Rvb(cas.couleurs[2]));
    EXPECT_EQ(r.couleurs[5], Rvb(cas.couleurs[3]));
    EXPECT_EQ(r.couleurs[6], Rvb(cas.couleurs[4]));
    EXPECT_EQ(r.couleurs[7], Rvb(cas.couleurs[5]));
}

const Attendu exemple = {{{0, 0, 0}, {0, 128, 0}, {255, 128, 0}, {128, 0, 128}, {0, 0, 255}, {255, 0, 0}}};

// Le fichier d'exemple dont la ligne Init= est remplacée par `init`.
std::string AvecInit(const std::string& init)
{
    return init + "\n" + completes.substr(completes.find('\n') + 1);
}

Attendu ExempleAvecInit(int r, int v, int b)
{
    Attendu a = exemple;
    a[0] = {r, v, b};
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Cas, AnalyseConfiguration,
    ::testing::Values(
        Cas{"exemple", completes, false, exemple},
        Cas{"desordre_et_autres_lignes",
            "; skin d'essai\nHypoJoueur=255,0,0\n\nFond=1,2,3\nCoupJoueur=0,0,255\nInit=0,0,0\n"
            "x\nCoupDeMain=128,0,128\nHypoOrdi=255,128,0\nDeduitOrdi=0,128,0\n",
            false, exemple},
        Cas{"quatrieme_champ_ignore", AvecInit("Init=255,0,0,7"), false, ExempleAvecInit(255, 0, 0)},
        Cas{"minuscules", AvecInit("init=255,0,0"), true, {}},
        Cas{"blanc_avant_la_cle", AvecInit(" Init=255,0,0"), true, {}},
        Cas{"blanc_avant_egal", AvecInit("Init =255,0,0"), true, {}},
        Cas{"deux_valeurs", AvecInit("Init=255,0"), true, {}},
        Cas{"virgule_finale_sans_champ", AvecInit("Init=255,0,"), true, {}},
        Cas{"cle_seule", AvecInit("Init="), true, {}},
        Cas{"fichier_vide", "", true, {}},
        Cas{"virgules_en_suite", AvecInit("Init=,,255,,0,0"), false, ExempleAvecInit(255, 0, 0)},
        Cas{"atoi_bornes_et_lettres",
            completes.substr(0, completes.find("CoupJoueur")) + "CoupJoueur= 300,-1,abc\nHypoJoueur=255,0,0\n",
            false,
            {{{0, 0, 0}, {0, 128, 0}, {255, 128, 0}, {128, 0, 128}, {44, 255, 0}, {255, 0, 0}}}},
        Cas{"signe_blancs_et_suffixe", AvecInit("Init=+7,\t 12abc,-"), false, ExempleAvecInit(7, 12, 0)},
        Cas{"champ_de_blancs_compte", AvecInit("Init=1, ,3"), false, ExempleAvecInit(1, 0, 3)},
        // Au-delà de ce qu'un int tient : les 8 bits bas du nombre lui-même.
        // 10^20 est multiple de 256, donc 10^20 - 1 donne 255 ; 2^32 + 1 donne 1.
        Cas{"nombres_enormes", AvecInit("Init=99999999999999999999,4294967297,-4294967296"), false,
            ExempleAvecInit(255, 1, 0)},
        Cas{"bornes_d_un_int", AvecInit("Init=2147483647,-2147483648,-129"), false,
            ExempleAvecInit(255, 0, 127)},
        Cas{"cle_repetee_et_cle_absente",
            "Init=1,2,3\nDeduitOrdi=0,128,0\nHypoOrdi=255,128,0\nCoupDeMain=128,0,128\n"
            "CoupJoueur=0,0,255\nInit=9,8,7\n",
            false,
            {{{9, 8, 7}, {0, 128, 0}, {255, 128, 0}, {128, 0, 128}, {0, 0, 255}, {0, 0, 0}}}},
        // La dernière occurrence ne remplace que les composantes qu'elle donne.
        Cas{"occurrence_partielle", AvecInit("Init=1,2") + "Init=9\n", false, ExempleAvecInit(9, 2, 0)},
        Cas{"trop_de_valeurs", completes + "Init=1,2,3\n", true, {}},
        Cas{"crlf", "Init=0,0,0\r\nDeduitOrdi=0,128,0\r\nHypoOrdi=255,128,0\r\n"
                    "CoupDeMain=128,0,128\r\nCoupJoueur=0,0,255\r\nHypoJoueur=255,0,0\r\n",
            false, exemple},
        Cas{"derniere_ligne_sans_fin", completes.substr(0, completes.size() - 1), false, exemple},
        // Un octet nul clôt la ligne, comme la fin d'une chaîne C.
        Cas{"octet_nul", AvecInit(std::string("Init=1\0,2,3", 11)), true, {}}),
    [](const ::testing::TestParamInfo<Cas>& info) { return std::string(info.param.nom); });

TEST(Configuration, RemplitLesOnzeEntreesDepuisLesSixCles)
{
    const ResultatConfiguration r = Analyser(
        "Init=17,34,51\nDeduitOrdi=2,0,0\nHypoOrdi=3,0,0\nCoupDeMain=4,0,0\nCoupJoueur=5,0,0\nHypoJoueur=6,0,0\n");
    ASSERT_FALSE(r.message.has_value());
    // Rouge dans l'octet bas, puis vert, puis bleu.
    constexpr Couleur init = 0x00332211u;
    // Vide, Init, DeduitOrdi, DeduitOrdiUnicite, HypoOrdi, CoupDeMain, CoupJoueur, HypoJoueur,
    // palette normale, palette en évidence, ligne d'état.
    const TableCouleurs attendu = {init, init, 2, 2, 3, 4, 5, 6, init, 2, init};
    EXPECT_EQ(r.couleurs, attendu);
}

// Les cinq clés facultatives : prises avec leurs trois valeurs, jamais comptées parmi les
// 18 exigées ; absentes ou incomplètes, leur couleur par défaut (tirée de la table, sauf le
// rouge des conflits).
TEST(Configuration, ClesFacultatives)
{
    const Couleur joueur = Rvb(exemple[4]), deduit = Rvb(exemple[1]), hypoOrdi = Rvb(exemple[2]);
    struct CasFacultatif {
        const char* nom;
        std::string contenu;
        bool fautif;
        CouleursAjoutees attendues;
    };
    const CasFacultatif cas[] = {
        {"absentes", completes, false, {joueur, ConflitParDefaut, deduit, hypoOrdi}},
        {"toutes", completes + "Notes=1,2,3\nConflit=4,5,6\nSurlignage=7,8,9\nExplication=10,11,12\nRetrait=13,14,15\n",
         false, {Rvb({1, 2, 3}), Rvb({4, 5, 6}), Rvb({7, 8, 9}), Rvb({10, 11, 12}), Rvb({13, 14, 15})}},
        // Sans clé à lui, le retrait prend la couleur des conflits.
        {"avant les exigées, quatrième champ ignoré", "Conflit=250,0,0,9\n" + completes, false,
         {joueur, Rvb({250, 0, 0}), deduit, hypoOrdi, Rvb({250, 0, 0})}},
        {"incomplète", completes + "Notes=1,2\nSurlignage=\n", false, {joueur, ConflitParDefaut, deduit, hypoOrdi}},
        {"fichier fautif", "Init=1,2,3\nNotes=9,9,9\n", true, {Rvb({9, 9, 9}), ConflitParDefaut, 0, 0}},
    };
    for (const CasFacultatif& c : cas) {
        SCOPED_TRACE(c.nom);
        const ResultatConfiguration r = Analyser(c.contenu);
        EXPECT_EQ(r.message.has_value(), c.fautif);
        EXPECT_EQ(r.ajoutees, c.attendues);
        if (!c.fautif) {
            EXPECT_EQ(r.couleurs[1], Rvb(exemple[0]));
        }
    }
}

// Les six clés dispersées dans 10 000 lignes de bruit, chacune une fois.
TEST(Configuration, DixMilleLignes)
{
    std::istringstream cles(completes);
    std::string melange, ligne;
    for (int i = 0; i < 10000; ++i)
        melange += (i % 1700 == 0 && std::getline(cles, ligne) ? ligne : "Remarque " + std::to_string(i)) + "\r\n";
    const ResultatConfiguration r = Analyser(melange);
    EXPECT_FALSE(r.message.has_value());
    EXPECT_EQ(r.couleurs[4], Rvb(exemple[2]));
    EXPECT_EQ(r.couleurs[7], Rvb(exemple[5]));
}

// Flux qui fabrique à la demande une ligne de `taille` octets, sans jamais la garder.
class CFluxGenere : public std::streambuf {
public:
    CFluxGenere(std::string debut, char remplissage, std::size_t taille, std::string fin)
        : debut(std::move(debut)), fin(std::move(fin)), restant(taille)
    {
        bloc.fill(remplissage);
        setg(this->debut.data(), this->debut.data(), this->debut.data() + this->debut.size());
    }

protected:
    int_type underflow() override
    {
        if (restant > 0) {
            const std::size_t n = std::min(restant, bloc.size());
            restant -= n;
            setg(bloc.data(), bloc.data(), bloc.data() + n);
            return traits_type::to_int_type(bloc[0]);
        }
        if (!finDonnee) {
            finDonnee = true;
            setg(fin.data(), fin.data(), fin.data() + fin.size());
            if (!fin.empty()) return traits_type::to_int_type(fin[0]);
        }
        return traits_type::eof();
    }

private:
    std::string debut;
    std::string fin;
    std::size_t restant;
    bool finDonnee = false;
    std::array<char, 65536> bloc{};
};

long PicMemoireKo()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS compteurs{};
    GetProcessMemoryInfo(GetCurrentProcess(), &compteurs, sizeof(compteurs));
    return static_cast<long>(compteurs.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

TEST(Configuration, LigneEnormeSansLaGarderEnMemoire)
{
    constexpr std::size_t taille = 64u << 20;
    const long avant = PicMemoireKo();
    const std::string apresInit = completes.substr(completes.find('\n') + 1);
    // Une remarque géante, un dernier champ de chiffres géant (10^k - 1 vaut 255 modulo 256
    // dès que k ≥ 8), un quatrième champ géant : {début, remplissage, fin, Init attendu}.
    const std::tuple<std::string, char, std::string, std::array<int, 3>> cas[] = {
        {"x", 'y', "\n" + completes, {0, 0, 0}},
        {"Init=1,2,", '9', "\n" + apresInit, {1, 2, 255}},
        {"Init=4,5,6,", ',', "7\r\n" + apresInit, {4, 5, 6}}};
    for (const auto& [debut, remplissage, fin, init] : cas) {
        SCOPED_TRACE(debut);
        CFluxGenere flux(debut, remplissage, taille, fin);
        std::istream entree(&flux);
        const auto r = AnalyserConfiguration(entree, "c");
        ASSERT_FALSE(r.message.has_value());
        EXPECT_EQ(r.couleurs[1], Rvb(init));
    }
    EXPECT_LT(PicMemoireKo() - avant, 24 * 1024) << "une ligne a été gardée en mémoire";
}

class FichierConfiguration : public ::testing::Test {
protected:
    std::filesystem::path dossier = std::filesystem::temp_directory_path() /
                                    ("novemia-cfg-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dossier); }
    void TearDown() override { std::filesystem::remove_all(dossier); }
};

TEST_F(FichierConfiguration, FichiersSurDisque)
{
    // Un dossier s'ouvrirait sous Linux sans pouvoir se lire.
    std::filesystem::create_directory(dossier / "Dossier.cfg");
    std::ofstream(dossier / "Bois.cfg", std::ios::binary) << completes;
    std::ofstream(dossier / "Zinc.cfg") << "Init=255,0\n";
    // Un nom accentué : le chemin donné est en UTF-8, sous Windows aussi (régression).
    std::ofstream(dossier / u8"\u00c9t\u00e9.cfg", std::ios::binary) << completes;
    const std::string ouvrir = "Impossible d'ouvrir le fichier de configuration ";
    const std::tuple<const char*, int, std::string> cas[] = {
        {"Absent.cfg", -1, ouvrir + "@"},
        {"Dossier.cfg", -1, ouvrir + "@"},
        {"Zinc.cfg", 1, "Le fichier de configuration @ comporte des erreurs"},
        {"Bois.cfg", 1, ""},
        {"\u00c9t\u00e9.cfg", 1, ""}};
    const std::u8string racine = dossier.u8string();
    for (const auto& [nom, resultat, modele] : cas) {
        SCOPED_TRACE(nom);
        const std::string chemin = std::string(racine.begin(), racine.end()) + "/" + nom;
        const ResultatConfiguration r = LireConfiguration(chemin);
        EXPECT_EQ(r.resultat, resultat);
        if (modele.empty()) {
            EXPECT_FALSE(r.message.has_value());
            EXPECT_EQ(r.couleurs[9], Rvb(exemple[1]));
            continue;
        }
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(*r.message, modele.substr(0, modele.find('@')) + chemin + modele.substr(modele.find('@') + 1));
        for (Couleur c : r.couleurs) EXPECT_EQ(c, 0u);
    }
}

}  // namespace
