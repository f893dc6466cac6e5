// Règles des clics sur le plateau et la palette, ce que la palette montre, et le clavier qui
// rejoue les mêmes clics, l'historique des coups et la fermeture.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "tests/game/outils.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/partieposee.h"

namespace {

class Clics : public testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie{ihm};

    void EnJeu()
    {
        Importer(partie, ihm, ChargerListe("qqwing-simple-200.txt", 1).at(0));
        ASSERT_TRUE(partie.GrilleEnCours());
        ihm.OublierHistorique();
    }
    // Met une case dans un état donné sans passer par les règles.
    void Forcer(int l, int c, int chiffre, OrigineCase origine)
    {
        ASSERT_TRUE(ChangerCases(partie, [&](CGrille& g) { g.ChangerCase(l, c, chiffre, origine); }));
    }
    // Ce que l'écran montre de chaque case est ce que la partie en calcule.
    void AspectsConformes()
    {
        for (int i = 0; i < 81; ++i) {
            ASSERT_EQ(ihm.aspects[i / 9][i % 9], partie.CalculerAspect(i / 9, i % 9)) << "case " << i;
        }
    }
    // Les cases montrées avec une teinte donnée.
    std::set<int> Teintees(uint8_t teinte) const
    {
        std::set<int> cases;
        for (int i = 0; i < 81; ++i) {
            if (ihm.aspects[i / 9][i % 9].teintes & teinte) cases.insert(i);
        }
        return cases;
    }
};

// Deux cases d'une même ligne, d'une même colonne ou d'une même région.
bool Voisines(int i, int j)
{
    return i != j && (i / 9 == j / 9 || i % 9 == j % 9 || (i / 27 == j / 27 && i % 9 / 3 == j % 9 / 3));
}

uint16_t Masque(std::initializer_list<int> chiffres)
{
    uint16_t m = 0;
    for (const int d : chiffres) m |= static_cast<uint16_t>(1u << (d - 1));
    return m;
}

TEST_F(Clics, ClicsSansEffet)
{
    // Sans grille, ni la palette ni le plateau ne réagissent.
    partie.CliquerPalette(4);
    partie.CliquerPalette(10);
    partie.CliquerCase(0, 0);
    EXPECT_EQ(partie.Grille().LireCase(0, 0).chiffre, 0);
    EXPECT_EQ(partie.Interface().modeHypothese, 0);
    EXPECT_TRUE(ihm.appelsPalette.empty());
    EXPECT_EQ(ihm.casesMontrees, 0);

    // En jeu : clic sans sélection, entrées hors limites.
    EnJeu();
    const std::string avant = TexteIndices(partie.Grille());
    partie.CliquerCase(0, 0);
    partie.CliquerPalette(11);
    partie.CliquerPalette(-1);
    EXPECT_EQ(partie.Interface().chiffreSelectionne, -1);
    partie.CliquerPalette(0);
    partie.CliquerCase(9, 0);
    partie.CliquerCase(0, -1);
    EXPECT_EQ(TexteIndices(partie.Grille()), avant);
    EXPECT_EQ(ihm.casesMontrees, 0);
}

// Pour chaque origine : le joueur peut-il y poser un chiffre, l'effacer ? En création, tout
// se change.
TEST_F(Clics, SelonLOrigineDeLaCase)
{
    const std::vector<std::tuple<OrigineCase, bool, bool>> cas{
        {Vide, true, false},        {Init, false, false},     {DeduitOrdi, false, false},
        {DeduitOrdiUnicite, false, false}, {HypoOrdi, false, false}, {CoupDeMain, false, false},
        {CoupJoueur, true, true},   {HypoJoueur, true, true},
    };
    EnJeu();
    const Case& k = partie.Grille().LireCase(4, 4);
    for (const auto& [origine, pose, efface] : cas) {
        SCOPED_TRACE(testing::Message() << "origine " << origine);
        const int avant = origine == Vide ? 0 : 3;
        Forcer(4, 4, avant, origine);
        partie.CliquerPalette(6);  // le chiffre 7
        partie.CliquerCase(4, 4);
        EXPECT_EQ(k.chiffre, pose ? 7 : avant);
        EXPECT_EQ(k.origine, pose ? CoupJoueur : origine);
        if (pose) {
            EXPECT_EQ(ihm.plateau[4][4].texte, "7");
        }
        if (pose) {
            EXPECT_EQ(ihm.plateau[4][4].origine, CoupJoueur);
        }

        Forcer(4, 4, avant, origine);
        ihm.OublierHistorique();
        partie.CliquerPalette(9);  // la gomme
        partie.CliquerCase(4, 4);
        EXPECT_EQ(k.chiffre, efface ? 0 : avant);
        EXPECT_EQ(k.origine, efface ? Vide : origine);
        EXPECT_EQ(ihm.casesMontrees, efface ? 1 : 0);
        if (efface) {
            EXPECT_EQ(ihm.plateau[4][4].texte, " ");
        }
    }
    // En création, une case n'est que vide ou indice (la grille s'y vide en entrant).
    partie.OnCreer();
    ASSERT_TRUE(partie.ModeCreation());
    for (const int entreeAvant : {9, 2}) {
        SCOPED_TRACE(testing::Message() << "création, entrée " << entreeAvant);
        const auto avant = [&] { partie.CliquerPalette(entreeAvant), partie.CliquerCase(2, 7); };
        avant();
        partie.CliquerPalette(0);
        partie.CliquerCase(2, 7);
        EXPECT_EQ(partie.Grille().LireCase(2, 7).chiffre, 1);
        EXPECT_EQ(partie.Grille().LireCase(2, 7).origine, Init);
        avant();
        partie.CliquerPalette(9);
        partie.CliquerCase(2, 7);
        EXPECT_EQ(partie.Grille().LireCase(2, 7).chiffre, 0);
        EXPECT_EQ(partie.Grille().LireCase(2, 7).origine, Vide);
    }
}

TEST_F(Clics, LePointDInterrogationBasculeLesChiffresDuJoueurEnHypotheses)
{
    EnJeu();
    Forcer(1, 1, 0, Vide);
    partie.CliquerPalette(1);
    partie.CliquerCase(1, 1);
    EXPECT_EQ(partie.Grille().LireCase(1, 1).origine, CoupJoueur);

    partie.CliquerPalette(10);
    EXPECT_EQ(partie.Interface().modeHypothese, 1);
    EXPECT_TRUE(ihm.paletteEnEvidence[10]);
    EXPECT_TRUE(ihm.paletteEnEvidence[1]) << "la sélection du chiffre reste";
    partie.CliquerPalette(2);
    partie.CliquerCase(1, 1);  // un CoupJoueur repris en hypothèse
    EXPECT_EQ(partie.Grille().LireCase(1, 1).chiffre, 3);
    EXPECT_EQ(partie.Grille().LireCase(1, 1).origine, HypoJoueur);
    EXPECT_EQ(ihm.plateau[1][1].origine, HypoJoueur);

    partie.CliquerPalette(10);
    EXPECT_EQ(partie.Interface().modeHypothese, 0);
    EXPECT_FALSE(ihm.paletteEnEvidence[10]);
    partie.CliquerCase(1, 1);  // et l'inverse
    EXPECT_EQ(partie.Grille().LireCase(1, 1).origine, CoupJoueur);

    // En création, « ? » ne fait rien.
    partie.OnCreer();
    ihm.OublierHistorique();
    partie.CliquerPalette(10);
    EXPECT_EQ(partie.Interface().modeHypothese, 0);
    EXPECT_TRUE(ihm.appelsPalette.empty());
}

TEST_F(Clics, LaMiseEnEvidenceSuitLaSelection)
{
    EnJeu();
    partie.CliquerPalette(9);
    EXPECT_EQ(partie.Interface().chiffreSelectionne, 0);
    partie.CliquerPalette(4);
    partie.CliquerPalette(4);  // recliquer garde la sélection
    EXPECT_EQ(partie.Interface().chiffreSelectionne, 5);
    // « Eff » revient à l'aspect normal avant que « 5 » ne passe en évidence.
    const std::vector<std::pair<int, bool>> attendus{{9, true}, {9, false}, {4, true}};
    EXPECT_EQ(std::vector(ihm.appelsPalette.begin(), ihm.appelsPalette.begin() + 3), attendus);
    for (int e = 0; e < 11; ++e) EXPECT_EQ(ihm.paletteEnEvidence[e], e == 4) << e;

    // Désélectionner remet les dix entrées sans toucher au « ? ».
    partie.CliquerPalette(10);
    ihm.OublierHistorique();
    partie.DeselectionnerPalette();
    EXPECT_EQ(partie.Interface().chiffreSelectionne, -1);
    EXPECT_EQ(partie.Interface().modeHypothese, 1);
    EXPECT_TRUE(ihm.paletteEnEvidence[10]);
    ASSERT_EQ(ihm.appelsPalette.size(), 10u);
    for (int e = 0; e < 10; ++e) EXPECT_EQ(ihm.appelsPalette[e], std::make_pair(e, false));
}

// ------------------------------------------------------------------ clavier

TEST(Clavier, TexteTapeVersTouche)
{
    const std::pair<std::string, Touche> cas[] = {
        {"1", {ToucheJeu::Chiffre, 1}}, {"9", {ToucheJeu::Chiffre, 9}}, {"&", {ToucheJeu::Chiffre, 1}},
        {"é", {ToucheJeu::Chiffre, 2}}, {"\"", {ToucheJeu::Chiffre, 3}}, {"'", {ToucheJeu::Chiffre, 4}},
        {"(", {ToucheJeu::Chiffre, 5}}, {"-", {ToucheJeu::Chiffre, 6}}, {"è", {ToucheJeu::Chiffre, 7}},
        {"_", {ToucheJeu::Chiffre, 8}}, {"ç", {ToucheJeu::Chiffre, 9}}, {"0", {ToucheJeu::Gomme}},
        {"à", {ToucheJeu::Gomme}}, {"?", {ToucheJeu::Hypothese}}, {"h", {ToucheJeu::Hypothese}},
        {"H", {ToucheJeu::Hypothese}}, {" ", {ToucheJeu::Espace}}, {"", {}}, {"a", {}}, {"12", {}},
        {"\xC3", {}}, {")", {}},
    };
    for (const auto& [texte, attendue] : cas) {
        const Touche t = ToucheDuTexte(texte);
        EXPECT_EQ(t.genre, attendue.genre) << texte;
        EXPECT_EQ(t.chiffre, attendue.chiffre) << texte;
    }
}

// Le curseur paraît au premier appui d'une flèche, sur la dernière case cliquée, puis
// avance d'une case en faisant le tour des bords ; ensuite un clic de souris le déplace.
TEST_F(Clics, CurseurDuClavier)
{
    const Touche haut{ToucheJeu::Haut}, bas{ToucheJeu::Bas}, gauche{ToucheJeu::Gauche}, droite{ToucheJeu::Droite};
    partie.CliquerCase(8, 8);  // pas encore de curseur
    EXPECT_FALSE(ihm.curseur.has_value());
    const std::pair<Touche, std::pair<int, int>> parcours[] = {
        {gauche, {8, 8}}, {droite, {8, 0}}, {bas, {0, 0}}, {haut, {8, 0}}, {gauche, {8, 8}}, {haut, {7, 8}},
    };
    for (const auto& [touche, attendu] : parcours) {
        partie.Appuyer(touche);
        EXPECT_EQ(ihm.curseur, attendu);
        EXPECT_EQ(partie.Interface().curseur, attendu);
    }
    partie.CliquerCase(3, 4);
    EXPECT_EQ(ihm.curseur, std::pair(3, 4));
    // Sans clic, le premier appui montre la case (0,0).
    CIhmFactice autre;
    CPartie neuve{autre};
    neuve.Appuyer(droite);
    EXPECT_EQ(autre.curseur, std::pair(0, 0));
}

// Chaque touche est le clic qu'elle remplace : mêmes cases, même palette, mêmes appels.
TEST_F(Clics, ChaqueToucheEstLeClicQuElleRemplace)
{
    CIhmFactice ihmSouris;
    CPartie souris{ihmSouris};
    EnJeu();
    Importer(souris, ihmSouris, ChargerListe("qqwing-simple-200.txt", 1).at(0));
    ihmSouris.OublierHistorique();
    // Vers une case vide, puis une case donnée (refus), en passant par la palette entière.
    int vide = 0;
    while (partie.Grille().LireCase(vide / 9, vide % 9).chiffre != 0) ++vide;
    for (int k = 0; k < vide % 9; ++k) partie.Appuyer({ToucheJeu::Droite});
    partie.Appuyer({ToucheJeu::Droite});
    for (int k = 0; k < vide % 9; ++k) partie.Appuyer({ToucheJeu::Gauche});
    for (int k = 0; k < vide / 9; ++k) partie.Appuyer({ToucheJeu::Bas});
    ASSERT_EQ(ihm.curseur, std::pair(vide / 9, vide % 9));
    const std::vector<std::pair<Touche, std::function<void()>>> script{
        {ToucheDuTexte("("), [&] { souris.CliquerPalette(4), souris.CliquerCase(vide / 9, vide % 9); }},
        {ToucheDuTexte("?"), [&] { souris.CliquerPalette(10); }},
        {ToucheDuTexte("7"), [&] { souris.CliquerPalette(6), souris.CliquerCase(vide / 9, vide % 9); }},
        {ToucheDuTexte(" "), [&] { souris.CliquerCase(vide / 9, vide % 9); }},
        {ToucheDuTexte("H"), [&] { souris.CliquerPalette(10); }},
        {ToucheDuTexte("à"), [&] { souris.CliquerPalette(9), souris.CliquerCase(vide / 9, vide % 9); }},
        {ToucheDuTexte("3"), [&] { souris.CliquerPalette(2), souris.CliquerCase(vide / 9, vide % 9); }},
        {ToucheDuTexte("0"), [&] { souris.CliquerPalette(9), souris.CliquerCase(vide / 9, vide % 9); }},
    };
    for (const auto& [touche, clic] : script) {
        partie.Appuyer(touche);
        clic();
        EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
        EXPECT_EQ(ihm.appelsPalette, ihmSouris.appelsPalette);
        EXPECT_EQ(ihm.casesMontrees, ihmSouris.casesMontrees);
        EXPECT_EQ(ihm.plateau[vide / 9][vide % 9].texte, ihmSouris.plateau[vide / 9][vide % 9].texte);
        EXPECT_EQ(partie.Grille().LireCase(vide / 9, vide % 9).origine, souris.Grille().LireCase(vide / 9, vide % 9).origine);
        EXPECT_EQ(partie.Interface().chiffreSelectionne, souris.Interface().chiffreSelectionne);
        EXPECT_EQ(partie.Interface().modeHypothese, souris.Interface().modeHypothese);
    }
}

// Défaire et refaire : chiffre posé, changé de joueur en hypothèse, effacé ; un clic refusé
// n'est pas un coup ; un nouveau coup oublie ce qui se refaisait.
TEST_F(Clics, DefaireEtRefaire)
{
    EnJeu();
    int i = 0;
    while (partie.Grille().LireCase(i / 9, i % 9).chiffre != 0) ++i;
    const int l = i / 9, c = i % 9;
    const auto etat = [&] { return std::pair(partie.Grille().LireCase(l, c).chiffre, partie.Grille().LireCase(l, c).origine); };
    partie.CliquerPalette(3);
    partie.CliquerCase(l, c);  // 4 du joueur
    partie.CliquerPalette(10);
    partie.CliquerCase(l, c);  // le même 4, en hypothèse
    int indice = 0;
    while (partie.Grille().LireCase(indice / 9, indice % 9).origine != Init) ++indice;
    partie.CliquerCase(indice / 9, indice % 9);  // refusé : pas un coup
    partie.CliquerPalette(9);
    partie.CliquerCase(l, c);  // effacé
    ASSERT_EQ(partie.Historique().Joues().size(), 3u);
    const std::pair<int32_t, OrigineCase> etats[] = {{0, Vide}, {4, CoupJoueur}, {4, HypoJoueur}, {0, Vide}};
    for (int k = 2; k >= 0; --k) {
        ihm.OublierHistorique();
        partie.Annuler();
        EXPECT_EQ(etat(), etats[k]);
        EXPECT_EQ(ihm.casesMontrees, 1) << "seule la case redessinée";
        EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
    }
    partie.Annuler();  // plus rien à défaire
    EXPECT_EQ(etat(), etats[0]);
    partie.Refaire();
    partie.Refaire();
    EXPECT_EQ(etat(), etats[2]);
    EXPECT_EQ(ihm.statut, " Grille importée (grille.sdu)");
    partie.CliquerPalette(7);
    partie.CliquerCase(l, c);  // nouveau coup : le troisième ne se refait plus
    partie.Refaire();
    EXPECT_EQ(etat(), std::pair(8, HypoJoueur));
    partie.Annuler();
    EXPECT_EQ(etat(), etats[2]);
}

// Toute commande qui change les cases autrement que par un clic arrête l'historique ; celles
// qui remplacent le plateau effacent aussi les notes, le coup de main n'ôte que celles que ses
// chiffres excluent, comme un chiffre posé.
TEST_F(Clics, LesCommandesArretentLHistorique)
{
    const std::tuple<const char*, std::function<void()>, bool> commandes[] = {
        {"remise à zéro", [&] { partie.RemettreAZero(); }, false},
        {"coup de main", [&] { partie.OnCoupDeMain1(); }, true},
        {"résoudre", [&] { partie.OnResoudre(); }, false},
        {"générer", [&] { partie.OnFacile(); }, false},
        {"importer", [&] { Importer(partie, ihm, ChargerListe("qqwing-simple-200.txt", 2).at(1)); }, false},
        {"créer", [&] { partie.OnCreer(); }, false},
    };
    for (const auto& [nom, commande, gardeLesNotes] : commandes) {
        SCOPED_TRACE(nom);
        if (partie.ModeCreation()) partie.OnCreer();
        EnJeu();
        int i = 0;
        while (partie.Grille().LireCase(i / 9, i % 9).chiffre != 0) ++i;
        partie.CliquerPalette(0);
        partie.CliquerCase(i / 9, i % 9);
        partie.OnNoterCandidats();
        ASSERT_EQ(partie.Historique().Joues().size(), 2u);
        commande();
        EXPECT_TRUE(partie.Historique().Joues().empty());
        if (gardeLesNotes) {
            EXPECT_NE(partie.Notes(), (std::array<uint16_t, 81>{}));
            // Aucune note d'une case vide que ses voisines excluent.
            for (int k = 0; k < 81; ++k) {
                if (partie.Grille().LireCase(k / 9, k % 9).chiffre != 0) continue;
                for (int j = 0; j < 81; ++j) {
                    const bool voisine = j != k && (j / 9 == k / 9 || j % 9 == k % 9 || (j / 27 == k / 27 && j % 9 / 3 == k % 9 / 3));
                    const int32_t d = partie.Grille().LireCase(j / 9, j % 9).chiffre;
                    if (voisine && d != 0) {
                        EXPECT_FALSE(partie.Notes()[k] & (1u << (d - 1))) << k << " " << j;
                    }
                }
            }
        } else {
            EXPECT_EQ(partie.Notes(), (std::array<uint16_t, 81>{})) << "les notes partent avec les coups";
            EXPECT_EQ(ihm.aspects, (std::array<std::array<AspectCase, 9>, 9>{}));
        }
        const std::string avant = TexteIndices(partie.Grille()) + std::to_string(partie.Grille().LireCase(i / 9, i % 9).origine);
        partie.Annuler();
        EXPECT_EQ(TexteIndices(partie.Grille()) + std::to_string(partie.Grille().LireCase(i / 9, i % 9).origine), avant)
            << "rien à défaire d'avant";
    }
    // En saisie aussi, les coups se défont.
    ASSERT_TRUE(partie.ModeCreation());
    partie.CliquerPalette(4);
    partie.CliquerCase(2, 2);
    partie.Annuler();
    EXPECT_EQ(partie.Grille().LireCase(2, 2).chiffre, 0);
}

// Les notes : Ctrl+chiffre sur la case du curseur (rangée, AZERTY), clic droit avec le chiffre
// de la palette, cachées sous un chiffre posé qui les ôte de ses voisines, revenues quand on
// l'efface, défaites et refaites, posées d'un coup par « Noter les candidats » ; refusées sur
// un indice et sans grille en jeu.
TEST_F(Clics, NotesAuClavierEtALaSouris)
{
    EnJeu();
    // a et b vides dans une même ligne, c vide hors de la vue de a.
    int a = 0;
    while (partie.Grille().LireCase(a / 9, a % 9).chiffre != 0) ++a;
    int b = a + 1, c = 0;
    while (partie.Grille().LireCase(b / 9, b % 9).chiffre != 0) ++b;
    while (partie.Grille().LireCase(c / 9, c % 9).chiffre != 0 || c == a || Voisines(a, c)) ++c;
    ASSERT_EQ(a / 9, b / 9);
    int indice = 0;
    while (partie.Grille().LireCase(indice / 9, indice % 9).origine != Init) ++indice;
    const auto surCase = [&](int i, std::function<void()> faire) {
        return [this, i, faire] {
            partie.MontrerCurseurSur(i / 9, i % 9);
            faire();
        };
    };
    const auto touche = [this](const char* texte) { return [this, texte] { partie.Appuyer(NoteDuTexte(texte)); }; };
    const auto droit = [this](int entree, int i) {
        return [this, entree, i] {
            partie.CliquerPalette(entree);
            partie.CliquerCaseDroit(i / 9, i % 9);
        };
    };
    const auto poser = [this](int entree, int i) {
        return [this, entree, i] {
            partie.CliquerPalette(entree);
            partie.CliquerCase(i / 9, i % 9);
        };
    };
    struct Pas {
        const char* nom;
        std::function<void()> faire;
        uint16_t a, b, c;  // les notes montrées
        int32_t chiffreA;
    };
    const Pas pas[] = {
        {"Ctrl+3 sur a", surCase(a, touche("3")), Masque({3}), 0, 0, 0},
        {"Ctrl+& (le 1 d'un AZERTY) sur a", touche("&"), Masque({1, 3}), 0, 0, 0},
        {"Ctrl+a ne note rien", touche("a"), Masque({1, 3}), 0, 0, 0},
        {"clic droit avec 3 sur b", droit(2, b), Masque({1, 3}), Masque({3}), 0, 0},
        {"clic droit avec 3 sur c", droit(2, c), Masque({1, 3}), Masque({3}), Masque({3}), 0},
        {"clic droit avec 9 sur b", droit(8, b), Masque({1, 3}), Masque({3, 9}), Masque({3}), 0},
        {"recliquer 9 l'ôte", droit(8, b), Masque({1, 3}), Masque({3}), Masque({3}), 0},
        {"un indice ne prend pas de note", surCase(indice, touche("5")), Masque({1, 3}), Masque({3}), Masque({3}), 0},
        {"3 posé en a : ses notes cachées, ôté de b, pas de c", poser(2, a), 0, 0, Masque({3}), 3},
        {"a effacé : ses notes reviennent", poser(9, a), Masque({1, 3}), 0, Masque({3}), 0},
        {"défait : 3 revient en a", [this] { partie.Annuler(); }, 0, 0, Masque({3}), 3},
        {"défait : 3 revient en b", [this] { partie.Annuler(); }, Masque({1, 3}), Masque({3}), Masque({3}), 0},
        {"refait", [this] { partie.Refaire(); }, 0, 0, Masque({3}), 3},
        {"la gomme au clic droit efface c", droit(9, c), 0, 0, 0, 3},
        {"défait", [this] { partie.Annuler(); }, 0, 0, Masque({3}), 3},
    };
    for (const Pas& p : pas) {
        SCOPED_TRACE(p.nom);
        p.faire();
        EXPECT_EQ(ihm.aspects[a / 9][a % 9].notes, p.a);
        EXPECT_EQ(ihm.aspects[b / 9][b % 9].notes, p.b);
        EXPECT_EQ(ihm.aspects[c / 9][c % 9].notes, p.c);
        EXPECT_EQ(partie.Grille().LireCase(a / 9, a % 9).chiffre, p.chiffreA);
        AspectsConformes();
    }
    // Noter les candidats : chaque case vide reçoit ce que ses voisines lui laissent, en un coup.
    partie.OnNoterCandidats();
    for (int i = 0; i < 81; ++i) {
        uint16_t attendu = 0;
        if (partie.Grille().LireCase(i / 9, i % 9).chiffre == 0) {
            attendu = 0x1FF;
            for (int j = 0; j < 81; ++j) {
                const int32_t d = partie.Grille().LireCase(j / 9, j % 9).chiffre;
                if (d != 0 && Voisines(i, j)) attendu &= static_cast<uint16_t>(~Masque({d}));
            }
        }
        EXPECT_EQ(ihm.aspects[i / 9][i % 9].notes, attendu) << "case " << i;
    }
    partie.Annuler();
    EXPECT_EQ(ihm.aspects[c / 9][c % 9].notes, Masque({3}));
    EXPECT_EQ(ihm.aspects[b / 9][b % 9].notes, 0);
    AspectsConformes();
    // En création, pas de notes.
    partie.OnCreer();
    partie.CliquerPalette(4);
    partie.CliquerCaseDroit(0, 0);
    partie.MontrerCurseurSur(0, 0);
    partie.Appuyer(NoteDuTexte("5"));
    EXPECT_EQ(partie.Notes(), (std::array<uint16_t, 81>{}));
}

// Les chiffres en conflit, avec l'option : marqués dès le coup qui les répète, plus quand il
// s'en va ; rien sans l'option.
TEST_F(Clics, ConflitsMontresEnJouant)
{
    EnJeu();
    // Une case vide x et un indice y de sa ligne dont le chiffre ne se voit nulle part ailleurs
    // autour de x.
    int x = -1, y = -1;
    for (int i = 0; i < 81 && y < 0; ++i) {
        if (partie.Grille().LireCase(i / 9, i % 9).chiffre != 0) continue;
        for (int j = 9 * (i / 9); j < 9 * (i / 9) + 9 && y < 0; ++j) {
            const int32_t d = partie.Grille().LireCase(j / 9, j % 9).chiffre;
            int vues = 0;
            for (int k = 0; k < 81; ++k) vues += d != 0 && Voisines(i, k) && partie.Grille().LireCase(k / 9, k % 9).chiffre == d;
            if (vues == 1) x = i, y = j;
        }
    }
    ASSERT_GE(y, 0);
    const int32_t d = partie.Grille().LireCase(y / 9, y % 9).chiffre;
    const int32_t juste = partie.Grille().LireSolution(x / 9, x % 9).chiffre;
    struct Pas {
        const char* nom;
        std::function<void()> faire;
        std::set<int> enConflit;
    };
    const Pas pas[] = {
        {"sans l'option, rien", [&] { partie.CliquerPalette(d - 1), partie.CliquerCase(x / 9, x % 9); }, {}},
        {"l'option allumée", [&] { partie.ChangerOptions({true, false}); }, {x, y}},
        {"effacé", [&] { partie.CliquerPalette(9), partie.CliquerCase(x / 9, x % 9); }, {}},
        {"défait", [&] { partie.Annuler(); }, {x, y}},
        {"remplacé par le bon chiffre", [&] { partie.CliquerPalette(juste - 1), partie.CliquerCase(x / 9, x % 9); }, {}},
        {"défait encore", [&] { partie.Annuler(); }, {x, y}},
        {"l'option éteinte", [&] { partie.ChangerOptions({}); }, {}},
    };
    for (const Pas& p : pas) {
        SCOPED_TRACE(p.nom);
        p.faire();
        EXPECT_EQ(Teintees(TeinteConflit), p.enConflit);
        AspectsConformes();
    }
}

// Le surlignage suit la case choisie (clic, puis curseur) : sa ligne, sa colonne et sa
// région, et son chiffre ailleurs ; rien sans l'option.
TEST_F(Clics, SurlignageAutourDeLaCaseChoisie)
{
    EnJeu();
    partie.ChangerOptions({false, true});
    EXPECT_TRUE(Teintees(TeinteUnite).empty()) << "aucune case choisie";
    int indice = 0;
    while (partie.Grille().LireCase(indice / 9, indice % 9).origine != Init) ++indice;
    int vide = 0;
    while (partie.Grille().LireCase(vide / 9, vide % 9).chiffre != 0) ++vide;
    const auto attendues = [this](int choisie) {
        std::set<int> unite, meme;
        const int32_t d = partie.Grille().LireCase(choisie / 9, choisie % 9).chiffre;
        for (int i = 0; i < 81; ++i) {
            if (i == choisie || Voisines(i, choisie)) unite.insert(i);
            if (i != choisie && d != 0 && partie.Grille().LireCase(i / 9, i % 9).chiffre == d) meme.insert(i);
        }
        return std::pair(unite, meme);
    };
    const std::pair<const char*, int> choix[] = {{"un indice cliqué", indice}, {"une case vide cliquée", vide}};
    for (const auto& [nom, i] : choix) {
        SCOPED_TRACE(nom);
        partie.CliquerCase(i / 9, i % 9);
        const auto [unite, meme] = attendues(i);
        EXPECT_EQ(Teintees(TeinteUnite), unite);
        EXPECT_EQ(Teintees(TeinteMemeChiffre), meme);
        EXPECT_EQ(meme.empty(), i == vide);
    }
    partie.Appuyer({ToucheJeu::Droite});  // le curseur paraît sur la dernière case cliquée
    partie.Appuyer({ToucheJeu::Bas});
    const int curseur = partie.Interface().curseur->first * 9 + partie.Interface().curseur->second;
    EXPECT_EQ(Teintees(TeinteUnite), attendues(curseur).first);
    // Le chiffre choisi dans la palette marque les cases vides où le poser n'enfreint aucune
    // règle ; la palette montre finis les chiffres posés neuf fois (ici, le 1 posé partout).
    for (int i = 0; i < 81; ++i) {
        if (partie.Grille().LireSolution(i / 9, i % 9).chiffre != 1) continue;
        partie.CliquerPalette(0);
        partie.CliquerCase(i / 9, i % 9);
    }
    for (int d = 1; d <= 9; ++d) {
        partie.CliquerPalette(d - 1);
        std::set<int> possibles;
        int poses = 0;
        for (int i = 0; i < 81; ++i) {
            CGrille essai = partie.Grille();
            poses += essai.LireCase(i / 9, i % 9).chiffre == d;
            if (essai.LireCase(i / 9, i % 9).chiffre != 0) continue;
            essai.ChangerCase(i / 9, i % 9, d, CoupJoueur);
            if (essai.GrilleValide()) possibles.insert(i);
        }
        EXPECT_EQ(Teintees(TeintePossible), possibles) << d;
        EXPECT_EQ(ihm.chiffresFinis >> (d - 1) & 1, poses == 9 ? 1 : 0) << d;
    }
    EXPECT_TRUE(ihm.chiffresFinis & 1);
    partie.ChangerOptions({});
    EXPECT_TRUE(Teintees(TeinteUnite | TeinteMemeChiffre | TeintePossible).empty());
    EXPECT_EQ(ihm.chiffresFinis, 0);
    AspectsConformes();
}

// Fermer : sans grille en jeu ni saisie commencée, aussitôt ; sinon la question, qui propose
// « Non », et « Non » garde tout.
TEST_F(Clics, FermerDemandeQuandUneGrilleOuUneSaisieSePerdrait)
{
    EXPECT_TRUE(partie.PeutFermer());
    EXPECT_TRUE(ihm.questions.empty());
    EnJeu();
    ihm.reponses = {false, true};
    EXPECT_FALSE(partie.PeutFermer());
    EXPECT_EQ(ihm.questions, std::vector<std::string>{std::string(QuestionPerteGrille)});
    EXPECT_EQ(ihm.boutonsParDefaut, std::vector<BoutonParDefaut>{BoutonParDefaut::Non});
    EXPECT_TRUE(partie.GrilleEnCours());
    EXPECT_EQ(ihm.casesMontrees, 0);
    EXPECT_TRUE(partie.PeutFermer());

    partie.OnCreer();
    ASSERT_TRUE(partie.ModeCreation());
    ihm.OublierHistorique();
    EXPECT_TRUE(partie.PeutFermer()) << "rien de saisi";
    partie.CliquerPalette(2);
    partie.CliquerCase(8, 8);
    ihm.reponses = {false};
    EXPECT_FALSE(partie.PeutFermer());
    EXPECT_EQ(ihm.questions, std::vector<std::string>{std::string(QuestionPerteGrille)});
    EXPECT_EQ(partie.Grille().LireCase(8, 8).chiffre, 3);
}

}  // namespace
