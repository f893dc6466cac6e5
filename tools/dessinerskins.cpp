// novemia-dessin : dessine, au moment de la construction, les fonds des skins livrés
// (480 × 341, BMP 24 bits, et leur double <nom>@2x.bmp de 960 × 682 pour les écrans denses)
// et l'icône de l'application en plusieurs tailles (PNG).
// Tout part des rectangles de la fenêtre, si bien que traits, palette et bande d'état
// tombent toujours sous les étiquettes, aux deux échelles.
//
// Usage : novemia-dessin <dossier des skins> <dossier des icônes>

#include "disposition/geometrie.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using disposition::HauteurClient;
using disposition::LargeurClient;

// ---------------------------------------------------------------------------------------
// Bruit déterministe : les fonds sont identiques d'une construction à l'autre.

double Hachage(int x, int y, int graine)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(graine) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double Lisser(double t) { return t * t * (3 - 2 * t); }

// Bruit de valeur lissé, dans [0, 1).
double Bruit(double x, double y, int graine)
{
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = Lisser(x - x0), fy = Lisser(y - y0);
    const double a = Hachage(x0, y0, graine), b = Hachage(x0 + 1, y0, graine);
    const double c = Hachage(x0, y0 + 1, graine), d = Hachage(x0 + 1, y0 + 1, graine);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

// Somme d'octaves, ramenée dans [0, 1).
double Fractal(double x, double y, int octaves, int graine)
{
    double somme = 0, amplitude = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        somme += amplitude * Bruit(x, y, graine + 31 * o);
        total += amplitude;
        amplitude *= 0.5;
        x *= 2;
        y *= 2;
    }
    return somme / total;
}

int Borner(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

QColor Melange(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor(Borner(a.red() + (b.red() - a.red()) * t), Borner(a.green() + (b.green() - a.green()) * t),
                  Borner(a.blue() + (b.blue() - a.blue()) * t));
}

// ---------------------------------------------------------------------------------------
// Échelles : un fond se dessine en coordonnées de la fenêtre (480 × 341) sur une image de
// 1 ou 2 pixels par pixel de fenêtre (son devicePixelRatio) ; le peintre suit de lui-même.

const QRect Client(0, 0, LargeurClient, HauteurClient);

QImage NouveauFond(int echelle)
{
    QImage image(LargeurClient * echelle, HauteurClient * echelle, QImage::Format_RGB32);
    image.setDevicePixelRatio(echelle);
    return image;
}

// Pixels de l'image couverts par une zone en coordonnées de la fenêtre.
QRect EnPixelsImage(const QImage& image, const QRect& zone)
{
    const int e = static_cast<int>(image.devicePixelRatio());
    return QRect(zone.topLeft() * e, zone.size() * e).intersected(image.rect());
}

// Un pixel de l'image vu d'une texture : (x, y) son coin en coordonnées de la fenêtre, pour
// le motif, le même aux deux échelles ; (i, j) sa place dans l'image, pour le grain, plus
// fin à 2×.
struct Pixel {
    double x, y;
    int i, j;
};

void PourChaquePixel(QImage& image, const QRect& zone, const std::function<void(const Pixel&, QRgb&)>& faire)
{
    const QRect z = EnPixelsImage(image, zone);
    const double e = image.devicePixelRatio();
    for (int j = z.top(); j <= z.bottom(); ++j) {
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(j));
        for (int i = z.left(); i <= z.right(); ++i)
            faire(Pixel{i / e, j / e, i, j}, ligne[i]);
    }
}

// Remplit une zone de l'image pixel par pixel.
void Texturer(QImage& image, const QRect& zone, const std::function<QColor(const Pixel&)>& teinte)
{
    PourChaquePixel(image, zone, [&](const Pixel& p, QRgb& rgb) { rgb = teinte(p).rgb(); });
}

// ---------------------------------------------------------------------------------------
// Géométrie en pixels entiers.

struct Plateau {
    std::array<int, 10> x;  // pixel de chaque trait vertical
    std::array<int, 10> y;  // pixel de chaque trait horizontal
    QRect cases;            // réunion des cases, cadre compris
};

Plateau CalculerPlateau()
{
    Plateau p{};
    const auto tx = geometrie::TraitsVerticaux();
    const auto ty = geometrie::TraitsHorizontaux();
    for (int k = 0; k < 10; ++k) {
        p.x[k] = geometrie::PixelDuTrait(tx[k]);
        p.y[k] = geometrie::PixelDuTrait(ty[k]);
    }
    p.cases = QRect(QPoint(p.x[0], p.y[0]), QPoint(p.x[9], p.y[9]));
    return p;
}

// Case k de la palette, rentrée d'un pixel pour qu'on distingue ses voisines.
QRectF CasePalette(int entree)
{
    const auto bornes = geometrie::BornesPalette();
    // Bords sur des demi-pixels : le trait d'un pixel reste net.
    // Bord haut sur le pixel qui suit la limite, bord bas sur celui qui la précède : entre
    // deux cases voisines, un pixel d'écart centré sur leur limite.
    return QRectF(QPointF(std::floor(geometrie::PaletteGauche()) + 0.5, std::floor(bornes[entree]) + 1.5),
                  QPointF(std::ceil(geometrie::PaletteDroite()) - 0.5, std::floor(bornes[entree + 1]) - 0.5));
}

QRectF BandeStatut()
{
    const auto s = geometrie::Statut();
    return QRectF(QPointF(std::floor(s.gauche) - 1, std::floor(s.haut) - 1),
                  QPointF(std::ceil(s.droite) + 1, std::min<double>(std::ceil(s.bas) + 1, HauteurClient - 0.5)));
}

// Traits de la grille : fins entre les cases, épais entre les régions et pour le cadre.
struct StyleTraits {
    QColor fin, epais;
    int epaisseur = 3;  // traits entre régions
    int cadre = 4;      // cadre extérieur
    std::function<double(const Pixel&)> opacite;  // grain du trait (craie), 1 partout sinon
};

// Un trait couvre des pixels entiers de la fenêtre : à 2×, un trait d'un pixel en fait deux,
// nets, à la place double.
void TracerTrait(QImage& image, const QRect& r, const QColor& couleur, const StyleTraits& style)
{
    PourChaquePixel(image, r, [&](const Pixel& p, QRgb& rgb) {
        const double a = (style.opacite ? style.opacite(p) : 1.0) * couleur.alphaF();
        rgb = Melange(QColor::fromRgb(rgb), couleur, a).rgb();
    });
}

void TracerGrille(QImage& image, const Plateau& p, const StyleTraits& style)
{
    const int haut = p.y[0], bas = p.y[9], gauche = p.x[0], droite = p.x[9];
    // Traits fins d'abord, les épais passent par-dessus aux croisements.
    for (int k = 1; k < 9; ++k) {
        if (k % 3 == 0)
            continue;
        TracerTrait(image, QRect(p.x[k], haut, 1, bas - haut + 1), style.fin, style);
        TracerTrait(image, QRect(gauche, p.y[k], droite - gauche + 1, 1), style.fin, style);
    }
    const int demi = style.epaisseur / 2;
    for (int k : {3, 6}) {
        TracerTrait(image, QRect(p.x[k] - demi, haut, style.epaisseur, bas - haut + 1), style.epais, style);
        TracerTrait(image, QRect(gauche, p.y[k] - demi, droite - gauche + 1, style.epaisseur), style.epais, style);
    }
    // Cadre centré sur le bord de la réunion des cases.
    const int c = style.cadre, dc = c / 2;
    TracerTrait(image, QRect(gauche - dc, haut - dc, droite - gauche + c, c), style.epais, style);
    TracerTrait(image, QRect(gauche - dc, bas - dc, droite - gauche + c, c), style.epais, style);
    TracerTrait(image, QRect(gauche - dc, haut - dc, c, bas - haut + c), style.epais, style);
    TracerTrait(image, QRect(droite - dc, haut - dc, c, bas - haut + c), style.epais, style);
}

// Ombre douce approchée par des rectangles arrondis de plus en plus larges et pâles.
void Ombre(QPainter& peintre, const QRectF& r, double rayon, int etendue, const QColor& couleur, QPointF decalage)
{
    peintre.save();
    peintre.setPen(Qt::NoPen);
    for (int i = etendue; i >= 1; --i) {
        QColor c = couleur;
        c.setAlphaF(couleur.alphaF() / etendue * 0.9);
        peintre.setBrush(c);
        peintre.drawRoundedRect(r.adjusted(-i, -i, i, i).translated(decalage), rayon + i, rayon + i);
    }
    peintre.restore();
}

// Un plateau arrondi d'une seule couleur, posé avec son ombre sur ce qui est déjà peint.
void PoserPlateau(QPainter& peintre, const QRectF& r, double rayon, const QColor& ombre, const QColor& couleur)
{
    Ombre(peintre, r, rayon, 6, ombre, QPointF(2, 3));
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(couleur);
    peintre.drawRoundedRect(r, rayon, rayon);
}

// Vignettage : bords assombris, pour donner du volume à la table.
void Vignetter(QImage& image, double force)
{
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(LargeurClient / 2.0, HauteurClient / 2.0), LargeurClient * 0.62);
    g.setColorAt(0.0, QColor(0, 0, 0, 0));
    g.setColorAt(0.7, QColor(0, 0, 0, 0));
    g.setColorAt(1.0, QColor(0, 0, 0, Borner(255 * force)));
    peintre.fillRect(Client, g);
}

// ---------------------------------------------------------------------------------------
// Papier : feuille crème au grain fin, grille à l'encre bleu nuit.

QImage DessinerPapier(int echelle)
{
    QImage image = NouveauFond(echelle);
    const Plateau p = CalculerPlateau();
    const QColor fond(238, 230, 211), fondSombre(222, 211, 187);
    Texturer(image, Client, [&](const Pixel& q) {
        const double taches = Fractal(q.x / 90.0, q.y / 90.0, 4, 11);
        const double fibres = Bruit(q.x / 1.3, q.y / 7.0, 12) * 0.6 + Bruit(q.x / 6.0, q.y / 1.2, 13) * 0.4;
        const QColor c = Melange(fond, fondSombre, taches * 0.9 - 0.15);
        const double grain = (fibres - 0.5) * 10 + (Hachage(q.i, q.j, 14) - 0.5) * 5;
        return QColor(Borner(c.red() + grain), Borner(c.green() + grain), Borner(c.blue() + grain * 1.1));
    });
    Vignetter(image, 0.16);

    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);

    // Page de cahier : lignes bleues pâles, marge rouge à gauche de la grille.
    peintre.setPen(QPen(QColor(120, 150, 200, 55), 1.0));
    for (double y = 18.5; y < HauteurClient; y += 18)
        peintre.drawLine(QPointF(0, y), QPointF(LargeurClient, y));
    peintre.setPen(QPen(QColor(205, 90, 90, 120), 1.2));
    peintre.drawLine(QPointF(42.5, 0), QPointF(42.5, HauteurClient));
    peintre.setPen(QPen(QColor(205, 90, 90, 70), 1.0));
    peintre.drawLine(QPointF(46.5, 0), QPointF(46.5, HauteurClient));

    // Feuille de la grille : plus claire, posée sur la page avec une ombre légère.
    PoserPlateau(peintre, QRectF(p.cases).adjusted(-9, -9, 9, 9), 3, QColor(90, 70, 40, 70), QColor(252, 249, 241));
    peintre.end();
    // Cases : blanc cassé, régions alternées d'un rien plus chaudes, sans motif sous les chiffres.
    Texturer(image, p.cases, [&](const Pixel& q) {
        const int rc = (q.x >= p.x[3]) + (q.x >= p.x[6]), rl = (q.y >= p.y[3]) + (q.y >= p.y[6]);
        const bool teintee = (rc + rl) % 2 == 1;
        const QColor base = teintee ? QColor(246, 240, 226) : QColor(253, 251, 245);
        const double grain = (Hachage(q.i, q.j, 15) - 0.5) * 2.5;
        return QColor(Borner(base.red() + grain), Borner(base.green() + grain), Borner(base.blue() + grain));
    });
    StyleTraits traits;
    traits.fin = QColor(168, 176, 196);
    traits.epais = QColor(38, 50, 86);
    TracerGrille(image, p, traits);

    peintre.begin(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    // Palette : onze cartes.
    for (int e = 0; e < 11; ++e) {
        const QRectF r = CasePalette(e);
        Ombre(peintre, r, 3, 2, QColor(90, 70, 40, 60), QPointF(1, 1.5));
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        const QColor clair = e == 10 ? QColor(255, 247, 214) : e == 9 ? QColor(252, 238, 236) : QColor(254, 252, 246);
        g.setColorAt(0, clair);
        g.setColorAt(1, Melange(clair, QColor(225, 215, 195), 0.35));
        peintre.setBrush(g);
        peintre.setPen(QPen(QColor(120, 128, 150), 1));
        peintre.drawRoundedRect(r, 3, 3);
    }
    // Bande d'état.
    const QRectF bande = BandeStatut();
    Ombre(peintre, bande, 3, 3, QColor(90, 70, 40, 50), QPointF(1, 1.5));
    peintre.setBrush(QColor(253, 251, 245));
    peintre.setPen(QPen(QColor(150, 155, 170), 1));
    peintre.drawRoundedRect(bande, 3, 3);
    return image;
}

// ---------------------------------------------------------------------------------------
// Bois : table de noyer, plateau d'érable clair incrusté de filets sombres.

// Veinure : anneaux déformés par le bruit, le long de l'axe horizontal.
double Veine(double x, double y, double frequence, int graine)
{
    const double d = y * frequence + Fractal(x / 120.0, y / 30.0, 3, graine) * 6.0 + Bruit(x / 15.0, y / 3.0, graine + 5) * 0.4;
    const double anneau = 0.5 + 0.5 * std::sin(d * 2 * M_PI);
    return std::pow(anneau, 3.0);
}

QImage DessinerBois(int echelle)
{
    QImage image = NouveauFond(echelle);
    const Plateau p = CalculerPlateau();
    // Planches de noyer horizontales, chacune son ton et sa veinure.
    const QColor noyerClair(128, 84, 50), noyerSombre(72, 42, 22);
    const int hauteurPlanche = 57;
    Texturer(image, Client, [&](const Pixel& q) {
        const int y = static_cast<int>(q.y);  // rangée de la fenêtre : à 2×, un joint fait deux pixels
        const int planche = y / hauteurPlanche;
        const double v = Veine(q.x + planche * 131.0, q.y + planche * 17.0, 0.09, 40 + planche);
        const double ton = (Hachage(planche, 0, 41) - 0.5) * 0.25;
        QColor c = Melange(noyerClair, noyerSombre, 0.35 + v * 0.5 + ton);
        const double fibre = (Bruit(q.x / 40.0, q.y * 1.3, 42 + planche) - 0.5) * 12 + (Hachage(q.i, q.j, 43) - 0.5) * 4;
        c = QColor(Borner(c.red() + fibre), Borner(c.green() + fibre * 0.8), Borner(c.blue() + fibre * 0.6));
        if (y % hauteurPlanche == 0)
            c = c.darker(160);
        else if (y % hauteurPlanche == 1)
            c = c.lighter(112);
        return c;
    });
    Vignetter(image, 0.35);

    // Plateau d'érable : bord biseauté, veinure très douce sous les chiffres.
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    const QRectF plateau = QRectF(p.cases).adjusted(-10, -10, 10, 10);
    Ombre(peintre, plateau, 4, 7, QColor(20, 8, 0, 110), QPointF(3, 4));
    peintre.end();
    const QColor erable(228, 196, 148), erableSombre(205, 166, 112);
    auto teinteErable = [&](const Pixel& q, double contraste) {
        const double v = Veine(q.x, q.y * 0.8, 0.05, 50);
        QColor c = Melange(erable, erableSombre, v * contraste + Fractal(q.x / 80.0, q.y / 40.0, 3, 51) * 0.3);
        const double grain = (Hachage(q.i, q.j, 52) - 0.5) * 3;
        return QColor(Borner(c.red() + grain), Borner(c.green() + grain), Borner(c.blue() + grain));
    };
    const QRect bord = plateau.toAlignedRect();
    Texturer(image, bord, [&](const Pixel& q) {
        QColor c = teinteErable(q, 0.9);
        // Biseau : clair en haut à gauche, sombre en bas à droite, en pixels de la fenêtre.
        const int x = static_cast<int>(q.x), y = static_cast<int>(q.y);
        const int dg = x - bord.left(), dh = y - bord.top(), dd = bord.right() - x, db = bord.bottom() - y;
        if (std::min(dg, dh) < 4 && std::min(dg, dh) <= std::min(dd, db))
            c = c.lighter(118 - 3 * std::min(dg, dh));
        else if (std::min(dd, db) < 4)
            c = c.darker(125 - 4 * std::min(dd, db));
        return c;
    });
    Texturer(image, p.cases, [&](const Pixel& q) { return Melange(teinteErable(q, 0.35), QColor(240, 216, 176), 0.35); });
    StyleTraits traits;
    traits.fin = QColor(150, 108, 66);
    traits.epais = QColor(74, 40, 18);
    traits.cadre = 5;
    TracerGrille(image, p, traits);

    // Palette : tuiles d'érable en relief.
    peintre.begin(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    // Relief d'une tuile : `bombe` en pour cent de clarté entre le haut et le bas.
    auto tuile = [&](const QRectF& r, const QColor& clair, double rayon, int bombe) {
        Ombre(peintre, r, rayon, 3, QColor(20, 8, 0, 120), QPointF(1.5, 2));
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, clair.lighter(100 + bombe / 2));
        g.setColorAt(1, clair.darker(100 + bombe / 2));
        peintre.setBrush(g);
        peintre.setPen(QPen(QColor(80, 46, 20), 1));
        peintre.drawRoundedRect(r, rayon, rayon);
        peintre.setPen(QPen(QColor(255, 240, 210, 150), 1));
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRoundedRect(r.adjusted(1, 1, -1, -1), rayon - 1, rayon - 1);
    };
    for (int e = 0; e < 11; ++e)
        tuile(CasePalette(e), e == 10 ? QColor(236, 206, 140) : e == 9 ? QColor(232, 190, 150) : QColor(234, 204, 158), 3, 20);
    // La bande porte un texte de 12 px : presque plate.
    tuile(BandeStatut(), QColor(232, 204, 160), 4, 8);
    return image;
}

// ---------------------------------------------------------------------------------------
// Ardoise : pierre gris-bleu, traits et cadres à la craie.

QImage DessinerArdoise(int echelle)
{
    QImage image = NouveauFond(echelle);
    const Plateau p = CalculerPlateau();
    const QColor pierre(58, 66, 72), pierreSombre(36, 42, 47);
    Texturer(image, Client, [&](const Pixel& q) {
        // Feuilletage de l'ardoise : bandes obliques très étirées.
        const double feuillet = Fractal((q.x + q.y * 0.35) / 160.0, (q.y - q.x * 0.1) / 9.0, 4, 60);
        const double nuage = Fractal(q.x / 70.0, q.y / 70.0, 4, 61);
        QColor c = Melange(pierre, pierreSombre, nuage * 0.8 + (feuillet - 0.5) * 0.6);
        const double grain = (Hachage(q.i, q.j, 62) - 0.5) * 7;
        // Traces de craie mal effacée.
        const double trace = std::max(0.0, Fractal(q.x / 45.0, q.y / 22.0, 3, 63) - 0.62) * 1.2;
        c = Melange(c, QColor(150, 158, 162), trace);
        return QColor(Borner(c.red() + grain), Borner(c.green() + grain), Borner(c.blue() + grain * 1.1));
    });
    Vignetter(image, 0.4);

    // Plateau : ardoise plus sombre et plus lisse, pour que la craie des chiffres ressorte.
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    PoserPlateau(peintre, QRectF(p.cases).adjusted(-8, -8, 8, 8), 4, QColor(0, 0, 0, 90), QColor(40, 46, 51));
    peintre.end();
    Texturer(image, p.cases, [&](const Pixel& q) {
        const double nuage = Fractal(q.x / 60.0, q.y / 60.0, 3, 64);
        const QColor c = Melange(QColor(44, 50, 56), QColor(36, 41, 46), nuage);
        const double grain = (Hachage(q.i, q.j, 65) - 0.5) * 4;
        return QColor(Borner(c.red() + grain), Borner(c.green() + grain), Borner(c.blue() + grain));
    });
    StyleTraits traits;
    traits.fin = QColor(200, 206, 210, 120);
    traits.epais = QColor(236, 236, 228);
    traits.opacite = [](const Pixel& q) {
        // Craie : le bâton accroche la pierre, le trait n'est pas plein partout.
        const double accroche = Bruit(q.x / 2.0, q.y / 2.0, 66) * 0.5 + Hachage(q.i, q.j, 67) * 0.5;
        return 0.62 + 0.38 * accroche;
    };
    TracerGrille(image, p, traits);

    // Palette et bande d'état : cadres tracés à la craie sur la pierre.
    peintre.begin(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    for (int e = 0; e < 11; ++e) {
        const QRectF r = CasePalette(e);
        peintre.setBrush(e == 10 ? QColor(50, 56, 48) : e == 9 ? QColor(56, 46, 50) : QColor(42, 48, 54));
        peintre.setPen(QPen(QColor(225, 228, 222, 200), 1.3));
        peintre.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    const QRectF bande = BandeStatut();
    peintre.setBrush(QColor(34, 39, 44));
    peintre.setPen(QPen(QColor(225, 228, 222, 170), 1.2));
    peintre.drawRoundedRect(bande.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    // Bâton de craie posé en bas à droite, hors de toute étiquette.
    peintre.save();
    peintre.translate(470, 300);
    peintre.rotate(-70);
    Ombre(peintre, QRectF(-13, -3, 26, 6), 2, 2, QColor(0, 0, 0, 90), QPointF(1, 1.5));
    QLinearGradient g(QPointF(0, -3), QPointF(0, 3));
    g.setColorAt(0, QColor(250, 250, 244));
    g.setColorAt(1, QColor(200, 200, 192));
    peintre.setBrush(g);
    peintre.setPen(Qt::NoPen);
    peintre.drawRoundedRect(QRectF(-13, -3, 26, 6), 2, 2);
    peintre.restore();
    return image;
}

// ---------------------------------------------------------------------------------------
// Icône : une région 3 × 3 sur une tuile bleu nuit, un chiffre mis en évidence.

// Tracé d'un chiffre dans une boîte unité (largeur 0,6, hauteur 1), en traits.
QPainterPath Chiffre(int chiffre)
{
    QPainterPath t;
    switch (chiffre) {
    case 1:
        t.moveTo(0.12, 0.25);
        t.lineTo(0.36, 0.05);
        t.lineTo(0.36, 0.95);
        break;
    case 5:
        t.moveTo(0.52, 0.05);
        t.lineTo(0.12, 0.05);
        t.lineTo(0.08, 0.45);
        t.cubicTo(0.35, 0.32, 0.6, 0.45, 0.58, 0.68);
        t.cubicTo(0.56, 0.98, 0.2, 1.0, 0.05, 0.86);
        break;
    case 9:
        t.addEllipse(QRectF(0.04, 0.05, 0.52, 0.46));
        t.moveTo(0.56, 0.28);
        t.cubicTo(0.58, 0.6, 0.5, 0.9, 0.12, 0.95);
        break;
    default:
        break;
    }
    return t;
}

void DessinerChiffre(QPainter& peintre, const QRectF& caseChiffre, int chiffre, const QColor& couleur)
{
    const double h = caseChiffre.height() * 0.7, l = h * 0.6;
    peintre.save();
    peintre.translate(caseChiffre.center().x() - l / 2, caseChiffre.center().y() - h / 2);
    peintre.scale(h, h);
    // Aux petites tailles le trait garde au moins 1,3 px, sinon il se perd dans le flou.
    QPen plume(couleur, std::max(0.16, 1.3 / h));
    plume.setCapStyle(Qt::RoundCap);
    plume.setJoinStyle(Qt::RoundJoin);
    peintre.setPen(plume);
    peintre.setBrush(Qt::NoBrush);
    peintre.drawPath(Chiffre(chiffre));
    peintre.restore();
}

// Mise en page de l'icône en pixels entiers pour chaque taille livrée : cases nettes,
// sans bord flou, même à 16 px.
struct PlanIcone {
    int taille, retrait, marge, cote, ecart;
};
constexpr PlanIcone PlansIcone[] = {
    {16, 0, 1, 4, 1},   {32, 0, 2, 8, 2},     {48, 1, 4, 12, 2},
    {64, 2, 6, 16, 2},  {128, 4, 14, 30, 5},  {256, 8, 28, 60, 10},
};

QImage DessinerIcone(const PlanIcone& plan)
{
    QImage image(plan.taille, plan.taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);

    // Tuile arrondie, dégradé bleu nuit.
    const QRectF tuile(plan.retrait, plan.retrait, plan.taille - 2 * plan.retrait, plan.taille - 2 * plan.retrait);
    const double rayonTuile = std::max(2.0, plan.taille * 0.17);
    QLinearGradient g(tuile.topLeft(), tuile.bottomLeft());
    g.setColorAt(0, QColor(52, 86, 160));
    g.setColorAt(1, QColor(24, 42, 96));
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(g);
    peintre.drawRoundedRect(tuile, rayonTuile, rayonTuile);

    // Neuf cases de papier, celle du centre en évidence.
    const QColor papier(250, 246, 234), accent(242, 140, 40), encre(30, 45, 90);
    const double rayonCase = plan.cote >= 12 ? plan.cote * 0.16 : 0.0;
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c) {
            const QRectF r(plan.marge + c * (plan.cote + plan.ecart), plan.marge + l * (plan.cote + plan.ecart),
                           plan.cote, plan.cote);
            const bool centre = l == 1 && c == 1;
            peintre.setPen(Qt::NoPen);
            peintre.setBrush(centre ? accent : papier);
            peintre.drawRoundedRect(r, rayonCase, rayonCase);
            // Un chiffre ne se lit qu'à partir de 32 px, et trois seulement à partir de 48.
            if (centre && plan.taille >= 32)
                DessinerChiffre(peintre, r, 9, QColor(255, 255, 255));
            else if (plan.taille >= 48 && l == 0 && c == 0)
                DessinerChiffre(peintre, r, 1, encre);
            else if (plan.taille >= 48 && l == 2 && c == 2)
                DessinerChiffre(peintre, r, 5, encre);
        }
    return image;
}

bool Enregistrer(const QImage& image, const QString& chemin, const char* format)
{
    if (image.save(chemin, format))
        return true;
    std::fprintf(stderr, "novemia-dessin : impossible d'écrire %s\n", qPrintable(chemin));
    return false;
}

// Un fichier .ico de Windows : en-tête, une entrée par taille, puis chaque image en PNG
// (permis depuis Vista, et le seul moyen d'y mettre 256 × 256 sans perte).
bool EnregistrerIco(const std::vector<QByteArray>& images, const std::vector<int>& tailles, const QString& chemin)
{
    QByteArray ico;
    const auto mot = [&ico](std::uint16_t v) { ico.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto double_mot = [&mot](std::uint32_t v) {
        mot(std::uint16_t(v & 0xFFFF));
        mot(std::uint16_t(v >> 16));
    };
    mot(0);  // réservé
    mot(1);  // une icône
    mot(std::uint16_t(images.size()));
    std::uint32_t position = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // 256 s'écrit 0 dans un octet.
        ico.append(char(tailles[i] & 0xFF)).append(char(tailles[i] & 0xFF)).append(char(0)).append(char(0));
        mot(1);   // plans
        mot(32);  // bits par pixel
        double_mot(std::uint32_t(images[i].size()));
        double_mot(position);
        position += std::uint32_t(images[i].size());
    }
    for (const QByteArray& image : images) ico.append(image);
    QFile fichier(chemin);
    if (fichier.open(QIODevice::WriteOnly) && fichier.write(ico) == ico.size() && fichier.flush())
        return true;
    std::fprintf(stderr, "novemia-dessin : impossible d'écrire %s\n", qPrintable(chemin));
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    // Le troisième argument, pour la construction Windows : l'icône du programme en .ico.
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "Usage : %s <dossier des skins> <dossier des icônes> [icône .ico]\n", argv[0]);
        return 2;
    }
    const QString dossierSkins = QString::fromLocal8Bit(argv[1]), dossierIcones = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(dossierSkins) || !QDir().mkpath(dossierIcones)) {
        std::fprintf(stderr, "novemia-dessin : impossible de créer les dossiers de sortie\n");
        return 1;
    }
    bool ok = true;
    const std::pair<const char*, QImage (*)(int)> skins[] = {
        {"Papier", DessinerPapier}, {"Bois", DessinerBois}, {"Ardoise", DessinerArdoise}};
    for (const auto& [nom, dessiner] : skins)
        for (const auto& [echelle, suffixe] : {std::pair(1, ""), std::pair(2, "@2x")}) {
            // BMP 24 bits : l'image est opaque.
            const QImage fond = dessiner(echelle).convertToFormat(QImage::Format_RGB888);
            ok = Enregistrer(fond, dossierSkins + "/" + nom + suffixe + ".bmp", "BMP") && ok;
        }
    std::vector<QByteArray> pngs;
    std::vector<int> tailles;
    for (const PlanIcone& plan : PlansIcone) {
        const QImage icone = DessinerIcone(plan);
        ok = Enregistrer(icone, QStringLiteral("%1/novemia-%2.png").arg(dossierIcones).arg(plan.taille), "PNG") && ok;
        QBuffer tampon(&pngs.emplace_back());
        tampon.open(QIODevice::WriteOnly);
        ok = icone.save(&tampon, "PNG") && ok;
        tailles.push_back(plan.taille);
    }
    if (argc == 4)
        ok = EnregistrerIco(pngs, tailles, QString::fromLocal8Bit(argv[3])) && ok;
    return ok ? 0 : 1;
}
