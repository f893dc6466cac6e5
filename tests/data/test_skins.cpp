// Skins livrés : fond de 480 × 341 en BMP 24 bits et son double de 960 × 682, fichier de
// couleurs complet, et dessin d'accord avec la disposition de la fenêtre (traits entre les
// cases, cases de palette, bande d'état) aux deux échelles, avec des couleurs lisibles sur ce
// fond et bien distinctes entre elles.
// Les coordonnées sont celles de la fenêtre ; l'image porte son échelle (devicePixelRatio)
// et chaque pixel de la fenêtre y couvre un carré de 1 ou 2 pixels de côté.
#include "outils.h"

#include "disposition/disposition.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "skin/configuration.h"

namespace {

using namespace disposition;

// Bords des cases en pixels (flottants), d'après les rectangles en unités de dialogue :
// un trait passe au milieu du chevauchement de deux lignes voisines.
double BordX(int k)
{
    const Rect c = RectCase(0, std::min(k, 8));
    return (k < 9 ? c.x : c.x + c.largeur) * PixelsParUniteX;
}

double BordY(int r)
{
    if (r == 0)
        return RectCase(0, 0).y * PixelsParUniteY;
    const Rect haut = RectCase(r - 1, 0);
    if (r == 9)
        return (haut.y + haut.hauteur) * PixelsParUniteY;
    return (haut.y + haut.hauteur + RectCase(r, 0).y) / 2.0 * PixelsParUniteY;
}

double CentrePaletteY(int e)
{
    const Rect r = RectPalette(e);
    return (r.y + r.hauteur / 2.0) * PixelsParUniteY;
}

// Limite entre les cases de palette e-1 et e (e = 0 : haut de la première, 11 : bas de la dernière).
double BornePalette(int e)
{
    if (e == 0)
        return RectPalette(0).y * PixelsParUniteY;
    const Rect haut = RectPalette(e - 1);
    if (e == 11)
        return (haut.y + haut.hauteur) * PixelsParUniteY;
    return (haut.y + haut.hauteur + RectPalette(e).y) / 2.0 * PixelsParUniteY;
}

struct Statistiques {
    QColor moyenne;
    double ecartType = 0;  // de la luminosité
    int ecartMax = 0;      // plus grand écart de luminosité à la moyenne
};

int EchelleDe(const QImage& image) { return int(image.devicePixelRatio()); }

Statistiques Mesurer(const QImage& image, const QRect& zoneFenetre)
{
    const int e = EchelleDe(image);
    const QRect zone(zoneFenetre.topLeft() * e, zoneFenetre.size() * e);
    double r = 0, v = 0, b = 0, g = 0, g2 = 0;
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p), v += qGreen(p), b += qBlue(p);
            g += qGray(p), g2 += double(qGray(p)) * qGray(p);
            ++n;
        }
    Statistiques s;
    s.moyenne = QColor(int(r / n + 0.5), int(v / n + 0.5), int(b / n + 0.5));
    const double moyenneGris = g / n;
    s.ecartType = std::sqrt(std::max(0.0, g2 / n - moyenneGris * moyenneGris));
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            s.ecartMax = std::max(s.ecartMax, int(std::abs(qGray(image.pixel(x, y)) - moyenneGris) + 0.5));
    return s;
}

// Intérieur d'une case dessinée, à distance des traits.
QRect InterieurCase(int r, int k, int retrait = 4)
{
    return QRect(QPoint(int(std::ceil(BordX(k))) + retrait, int(std::ceil(BordY(r))) + retrait),
                 QPoint(int(BordX(k + 1)) - retrait, int(BordY(r + 1)) - retrait));
}

// Écart de clarté avec `reference` de chaque pixel de l'image dans les pixels de fenêtre
// [debut, fin) en travers d'un trait vertical (le long de y = autre) ou horizontal (le long
// de x = autre).
std::vector<int> EcartsEnTravers(const QImage& image, bool vertical, int debut, int fin, int autre, const QColor& reference)
{
    const int e = EchelleDe(image);
    std::vector<int> ecarts;
    for (int d = debut * e; d < fin * e; ++d)
        ecarts.push_back(EcartClarte(vertical ? image.pixelColor(d, autre * e) : image.pixelColor(autre * e, d), reference));
    return ecarts;
}

// Plus grand écart de clarté avec `reference` parmi les pixels à ±1 d'un trait passant à la
// coordonnée c.
int EcartPresDuTrait(const QImage& image, bool vertical, double c, int autre, const QColor& reference)
{
    const auto ecarts = EcartsEnTravers(image, vertical, int(c) - 1, int(c) + 2, autre, reference);
    return *std::max_element(ecarts.begin(), ecarts.end());
}

// Écart de couleur perçu (CIE 1976) : au-delà de 25, deux couleurs ne se confondent pas.
double EcartPercu(const QColor& a, const QColor& b)
{
    auto lab = [](const QColor& c) {
        auto lin = [](double v) {
            v /= 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        const double r = lin(c.red()), g = lin(c.green()), bl = lin(c.blue());
        const double x = (0.4124 * r + 0.3576 * g + 0.1805 * bl) / 0.95047;
        const double y = 0.2126 * r + 0.7152 * g + 0.0722 * bl;
        const double z = (0.0193 * r + 0.1192 * g + 0.9505 * bl) / 1.08883;
        auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
        return std::array<double, 3>{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    const auto la = lab(a), lb = lab(b);
    return std::sqrt(std::pow(la[0] - lb[0], 2) + std::pow(la[1] - lb[1], 2) + std::pow(la[2] - lb[2], 2));
}

// Un skin livré et l'échelle de son fond : 1 (Papier.bmp) ou 2 (Papier@2x.bmp).
class SkinLivre : public ::testing::TestWithParam<std::tuple<std::string, int>> {
protected:
    QString Nom() const { return QString::fromStdString(std::get<0>(GetParam())); }
    int Echelle() const { return std::get<1>(GetParam()); }
    QString Fond() const { return CheminSkin(Nom() + (Echelle() == 2 ? "@2x" : ""), "bmp"); }

    void SetUp() override
    {
        image = QImage(Fond()).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull()) << qPrintable(Fond());
        ASSERT_EQ(image.size(), QSize(LargeurClient, HauteurClient) * Echelle());
        image.setDevicePixelRatio(Echelle());
        const FichierCouleurs f = LireCouleurs(CheminSkin(Nom(), "cfg"));
        // Six clés, chacune sur une ligne, de trois valeurs entières de 0 à 255.
        ASSERT_TRUE(f.lisible);
        ASSERT_TRUE(f.fautes.isEmpty()) << qPrintable(f.fautes.join(QStringLiteral(", ")));
        for (const QString& cle : ClesCouleurs()) {
            ASSERT_EQ(f.valeurs.count(cle), 1u) << qPrintable(cle);
            ASSERT_EQ(f.valeurs.at(cle).size(), 1u) << qPrintable(cle) << " en plusieurs lignes";
            const auto& v = f.valeurs.at(cle).front();
            ASSERT_EQ(v.size(), 3u) << qPrintable(cle);
            for (int c : v)
                ASSERT_TRUE(c >= 0 && c <= 255) << qPrintable(cle) << " : " << c;
            couleurs[cle] = QColor(v[0], v[1], v[2]);
        }
        // Les couleurs facultatives telles que le programme les prend (du fichier ou par défaut).
        const CouleursAjoutees a = LireConfiguration(CheminSkin(Nom(), "cfg").toStdString()).ajoutees;
        const auto enQColor = [](Couleur c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); };
        ajoutees = {{"Notes", enQColor(a.notes)}, {"Conflit", enQColor(a.conflit)}};
    }

    QImage image;
    std::map<QString, QColor> couleurs;
    std::map<QString, QColor> ajoutees;  // les notes et les chiffres en conflit
};

TEST_P(SkinLivre, FondEnBmp24BitsDeLaTailleDeLaZoneClient)
{
    QFile fichier(Fond());
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray entete = fichier.read(54);
    ASSERT_EQ(entete.size(), 54);
    EXPECT_EQ(entete.left(2), QByteArray("BM"));
    auto mot = [&](int position) { return quint8(entete[position]) | (quint8(entete[position + 1]) << 8); };
    EXPECT_EQ(mot(28), 24) << "bits par pixel";
    EXPECT_EQ(mot(30), 0) << "compression";
    // Hauteur positive : lignes de bas en haut, la forme que lit tout lecteur de BMP.
    EXPECT_EQ(mot(22), HauteurClient * Echelle());
}

TEST_P(SkinLivre, LeLecteurDuProgrammeLitLesMemesCouleursSansMessage)
{
    const ResultatConfiguration r = LireConfiguration(CheminSkin(Nom(), "cfg").toStdString());
    EXPECT_EQ(r.resultat, 1);
    EXPECT_FALSE(r.message.has_value()) << *r.message;
    // Entrée de la table pour chaque clé, dans l'ordre des clés.
    const int entrees[6] = {1, 2, 4, 5, 6, 7};
    for (int k = 0; k < 6; ++k) {
        const Couleur c = r.couleurs[entrees[k]];
        EXPECT_EQ(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF), couleurs[ClesCouleurs()[k]]) << k;
    }
}

TEST_P(SkinLivre, TraitsEntreLesCasesEtCadreAutourDeLeurReunion)
{
    // Trait k (0 à 9) au milieu de la ligne ou colonne j, comparé à la case voisine :
    // épais entre régions et au bord, fin sinon.
    for (const bool vertical : {true, false})
        for (int j = 0; j < 9; ++j)
            for (int k = 0; k <= 9; ++k) {
                const int m = std::min(k, 8);
                const QColor voisine = Mesurer(image, vertical ? InterieurCase(j, m) : InterieurCase(m, j)).moyenne;
                const int milieu = int(vertical ? (BordY(j) + BordY(j + 1)) / 2 : (BordX(j) + BordX(j + 1)) / 2);
                EXPECT_GE(EcartPresDuTrait(image, vertical, vertical ? BordX(k) : BordY(k), milieu, voisine), k % 3 == 0 ? 60 : 15)
                    << (vertical ? "trait vertical " : "trait horizontal ") << k << ", le long de " << j;
            }
}

// Un trait fin couvre exactement un pixel de la fenêtre, soit deux pixels de l'image à 2× :
// net, à la place double, sans bavure sur les cases qui le bordent.
TEST_P(SkinLivre, TraitsFinsNetsSurUnPixelDeFenetre)
{
    const int e = Echelle();
    for (const bool vertical : {true, false})
        for (const int k : {1, 2, 4, 5, 7, 8})
            for (int j = 0; j < 9; ++j) {
                SCOPED_TRACE(testing::Message() << (vertical ? "trait vertical " : "trait horizontal ") << k << ", le long de " << j);
                const int c = int(vertical ? BordX(k) : BordY(k));
                const QColor voisine = Mesurer(image, vertical ? InterieurCase(j, k) : InterieurCase(k, j)).moyenne;
                const int milieu = int(vertical ? (BordY(j) + BordY(j + 1)) / 2 : (BordX(j) + BordX(j + 1)) / 2);
                // Un pixel de fenêtre de part et d'autre du trait : e pixels, le trait, e pixels.
                const std::vector<int> ecarts = EcartsEnTravers(image, vertical, c - 1, c + 2, milieu, voisine);
                EXPECT_GE(*std::min_element(ecarts.begin() + e, ecarts.begin() + 2 * e), 15);
                EXPECT_LE(std::max(ecarts[e - 1], ecarts[2 * e]), 10);
            }
}

// Chaque case : calme sous le chiffre, le milieu de sa zone de clic dedans, chaque couleur
// d'origine lisible dessus.
TEST_P(SkinLivre, ChaqueCaseCalmeCliquableEtLisible)
{
    for (int r = 0; r < 9; ++r)
        for (int k = 0; k < 9; ++k) {
            SCOPED_TRACE(testing::Message() << "case " << r << "," << k);
            const Statistiques s = Mesurer(image, InterieurCase(r, k));
            // Ni trait ni motif appuyé sous un chiffre.
            EXPECT_LE(s.ecartType, 6.0);
            EXPECT_LE(s.ecartMax, 22);
            // Le milieu de la zone de clic tombe dans la case dessinée du même nom, loin des traits.
            const int x = GrilleXMin + 33 * k + 16, y = GrilleYMin + 32 * r + 16;
            const Zone z = ZoneClic(x, y);
            ASSERT_TRUE(z.type == Zone::Case && z.ligne == r && z.colonne == k);
            EXPECT_TRUE(InterieurCase(r, k, 2).contains(x, y));
            EXPECT_LE(EcartClarte(Mesurer(image, QRect(x, y, 1, 1)).moyenne, s.moyenne), 12);
            // Les indices méritent le contraste d'un texte courant, les autres celui d'un grand texte,
            // comme les notes et un chiffre en conflit.
            for (const QString& cle : ClesCouleurs())
                EXPECT_GE(Contraste(couleurs[cle], s.moyenne), cle == QLatin1String("Init") ? 4.5 : 3.0) << qPrintable(cle);
            for (const auto& [cle, couleur] : ajoutees)
                EXPECT_GE(Contraste(couleur, s.moyenne), 3.0) << qPrintable(cle);
        }
}

TEST_P(SkinLivre, SixOriginesBienDistinctes)
{
    const QStringList& cles = ClesCouleurs();
    for (int i = 0; i < cles.size(); ++i)
        for (int j = i + 1; j < cles.size(); ++j)
            EXPECT_GE(EcartPercu(couleurs[cles[i]], couleurs[cles[j]]), 25.0)
                << qPrintable(cles[i]) << " / " << qPrintable(cles[j]);
}

TEST_P(SkinLivre, UneCaseDePaletteSousChaqueEntree)
{
    const double gauche = RectPalette(0).x * PixelsParUniteX;
    const double droite = (RectPalette(0).x + RectPalette(0).largeur) * PixelsParUniteX;
    const int milieuX = int((gauche + droite) / 2);
    for (int e = 0; e < 11; ++e) {
        const int y = int(CentrePaletteY(e));
        const QRect interieur(milieuX - 5, y - 3, 11, 7);
        const Statistiques s = Mesurer(image, interieur);
        EXPECT_LE(s.ecartMax, 22) << "entrée " << e;
        // Bords gauche et droit de la case sur ceux de l'étiquette.
        EXPECT_GE(EcartPresDuTrait(image, true, gauche, y, s.moyenne), 30) << "entrée " << e;
        EXPECT_GE(EcartPresDuTrait(image, true, droite - 1, y, s.moyenne), 30) << "entrée " << e;
        // Séparation visible en haut et en bas, à la limite avec la voisine.
        EXPECT_GE(EcartPresDuTrait(image, false, BornePalette(e), milieuX, s.moyenne), 30) << "entrée " << e;
        EXPECT_GE(EcartPresDuTrait(image, false, BornePalette(e + 1), milieuX, s.moyenne), 30) << "entrée " << e;
        // Texte normal dans la couleur des indices, entrée choisie dans celle des déductions.
        EXPECT_GE(Contraste(couleurs["Init"], s.moyenne), 4.5) << "entrée " << e;
        EXPECT_GE(Contraste(couleurs["DeduitOrdi"], s.moyenne), 3.0) << "entrée " << e;
        // La zone de clic de l'entrée passe bien par sa case.
        const Zone z = ZoneClic(PaletteXMin + 10, y);
        EXPECT_EQ(z.type, Zone::Palette);
        EXPECT_EQ(z.entree, e);
    }
}

TEST_P(SkinLivre, BandeCalmeSousLaLigneDEtat)
{
    const Rect s = RectStatut;
    const QRect etiquette(QPoint(int(std::ceil(s.x * PixelsParUniteX)), int(std::ceil(s.y * PixelsParUniteY))),
                          QPoint(int((s.x + s.largeur) * PixelsParUniteX) - 1, int((s.y + s.hauteur) * PixelsParUniteY) - 1));
    const Statistiques bande = Mesurer(image, etiquette.adjusted(2, 2, -2, -2));
    EXPECT_LE(bande.ecartType, 6.0);
    EXPECT_LE(bande.ecartMax, 22);
    EXPECT_GE(Contraste(couleurs["Init"], bande.moyenne), 4.5);
    // La bande se détache de ce qui l'entoure, juste au-dessus de l'étiquette.
    EXPECT_GE(EcartPresDuTrait(image, false, s.y * PixelsParUniteY - 1, etiquette.center().x(), bande.moyenne), 30);
}

INSTANTIATE_TEST_SUITE_P(Livres, SkinLivre, ::testing::Combine(::testing::ValuesIn(NomsSkinsStd()), ::testing::Values(1, 2)),
                         [](const ::testing::TestParamInfo<std::tuple<std::string, int>>& info) {
                             return std::get<0>(info.param) + (std::get<1>(info.param) == 2 ? "_2x" : "");
                         });

}  // namespace
