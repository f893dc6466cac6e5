#include "ui/dlgskin.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QResizeEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

// La zone client : peint le fond et rend les appuis de souris à la boîte.
class CDlgSkin::CZoneClient : public QWidget {
public:
    CZoneClient(CDlgSkin& boite, int largeur, int hauteur) : QWidget(&boite), boite(boite)
    {
        // Jamais plus petite que le plateau ; plus grande quand la fenêtre grandit.
        setMinimumSize(largeur, hauteur);
        resize(largeur, hauteur);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QSize sizeHint() const override { return minimumSize(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter peintre(this);
        boite.PeindreFond(peintre);
        if (boite.echelle != 1 || !boite.decalage.isNull()) {
            peintre.translate(boite.decalage);
            peintre.scale(boite.echelle, boite.echelle);
        }
        boite.PeindreSurLeFond(peintre);
        // La suite, une fois cette image montrée : l'appel attend la fin de la peinture.
        if (!boite.premiereImagePeinte) {
            boite.premiereImagePeinte = true;
            QMetaObject::invokeMethod(&boite, [&boite = boite] { boite.ApresPremiereImage(); }, Qt::QueuedConnection);
        }
    }
    void resizeEvent(QResizeEvent* evenement) override { boite.Redimensionner(evenement->size()); }
    void mousePressEvent(QMouseEvent* evenement) override
    {
        const QPoint point = evenement->position().toPoint();
        if (evenement->button() == Qt::LeftButton)
            boite.OnLButtonDown(point);
        else if (evenement->button() == Qt::RightButton)
            boite.OnRButtonDown(point);
        evenement->accept();
    }
    void mouseMoveEvent(QMouseEvent* evenement) override
    {
        if (evenement->buttons() & Qt::LeftButton)
            boite.DeplacerManuellement(evenement->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* evenement) override
    {
        if (evenement->button() == Qt::LeftButton)
            boite.FinirDeplacement();
    }

private:
    CDlgSkin& boite;
};

CDlgSkin::CDlgSkin(int largeurClient, int hauteurClient, QWidget* parent)
    : QDialog(parent), taillePlateau(largeurClient, hauteurClient)
{
    disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    // La taille du contenu au départ, et jamais moins ; au-delà, la zone client grandit.
    disposition->setSizeConstraint(QLayout::SetMinimumSize);
    zoneClient = new CZoneClient(*this, largeurClient, hauteurClient);
    disposition->addWidget(zoneClient);
}

CDlgSkin::~CDlgSkin() = default;

void CDlgSkin::InstallerBarreMenus(QMenuBar* barre)
{
    disposition->setMenuBar(barre);
}

namespace {

// Le format de tous les skins livrés : 24 bits sans compression, lignes de bas en haut.
// Décodé ici d'un bloc, trois fois plus vite que par le décodeur général de Qt : le fond est
// l'un des plus gros travaux du programme avant la première image. Tout autre fichier donne une
// image nulle et passe par QImageReader.
QImage LireBitmap24(const QByteArray& octets)
{
    const auto octet = [&](qsizetype i) { return static_cast<quint32>(static_cast<uchar>(octets[i])); };
    const auto mot = [&](qsizetype i) { return octet(i) | octet(i + 1) << 8 | octet(i + 2) << 16 | octet(i + 3) << 24; };
    if (octets.size() < 54 || !octets.startsWith("BM") || mot(14) != 40 || (mot(26) & 0xFFFF) != 1 ||
        (mot(26) >> 16) != 24 || mot(30) != 0)
        return {};
    const quint32 largeur = mot(18), hauteur = mot(22), debut = mot(10);
    // Une hauteur négative (lignes de haut en bas) est laissée à Qt.
    // Au-delà de la limite de Qt (256 Mo d'image), c'est à Qt de refuser.
    if (largeur == 0 || hauteur == 0 || largeur > 16384 || hauteur > 16384 || debut < 54 ||
        quint64(largeur) * hauteur * 4 > quint64(QImageReader::allocationLimit()) << 20)
        return {};
    const qsizetype pas = (static_cast<qsizetype>(largeur) * 3 + 3) & ~qsizetype(3);
    if (static_cast<qsizetype>(debut) + pas * static_cast<qsizetype>(hauteur) > octets.size())
        return {};
    const int l = static_cast<int>(largeur), h = static_cast<int>(hauteur);
    QImage image(l, h, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        const auto* source = reinterpret_cast<const uchar*>(octets.constData()) + debut + pas * (h - 1 - y);
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < l; ++x, source += 3)
            ligne[x] = qRgb(source[2], source[1], source[0]);
    }
    // Comme Qt : la résolution du fichier suit l'image.
    if (static_cast<qint32>(mot(38)) > 0)
        image.setDotsPerMeterX(static_cast<int>(mot(38)));
    if (static_cast<qint32>(mot(42)) > 0)
        image.setDotsPerMeterY(static_cast<int>(mot(42)));
    return image;
}

// Un fichier absent ou illisible donne un pixmap nul, sans message.
QPixmap LireBitmap(const std::string& chemin)
{
    const QString nom = QString::fromStdString(chemin);
    QImage image;
    QFile fichier(nom);
    if (fichier.open(QIODevice::ReadOnly))
        image = LireBitmap24(fichier.readAll());
    if (image.isNull())
        image = QImageReader(nom).read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(std::move(image));
}

// La couleur moyenne du pourtour d'une image ; une image nulle n'en a pas.
QColor CouleurDuPourtour(const QImage& image)
{
    if (image.isNull())
        return {};
    double r = 0, v = 0, b = 0;
    int n = 0;
    const auto ajouter = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        r += qRed(p), v += qGreen(p), b += qBlue(p), ++n;
    };
    for (int x = 0; x < image.width(); ++x)
        ajouter(x, 0), ajouter(x, image.height() - 1);
    for (int y = 1; y + 1 < image.height(); ++y)
        ajouter(0, y), ajouter(image.width() - 1, y);
    return QColor(qRound(r / n), qRound(v / n), qRound(b / n));
}

}  // namespace

void CDlgSkin::DefinirFond(const QPixmap& bitmap, const QPixmap& bitmap2x)
{
    bitmapFond = bitmap;
    PrendreDouble(bitmap2x);
    doubleALire.clear();
    fondAgrandi = QPixmap();
    couleurDuBord = CouleurDuPourtour(bitmap.toImage());
    // Tout repeindre, étiquettes comprises : la zone client ne masque pas ses enfants.
    zoneClient->update();
}

void CDlgSkin::ChargerFond(const std::string& chemin, const std::string& cheminDouble)
{
    // Un fichier absent ou illisible retire le fond précédent. Le double (quatre fois plus de
    // pixels) n'est lu qu'au premier écran dense ou plateau agrandi : à l'échelle 1, le
    // démarrage ne le décode pas.
    DefinirFond(LireBitmap(chemin));
    if (AUnFond())
        doubleALire = cheminDouble;
}

void CDlgSkin::PrendreDouble(const QPixmap& bitmap2x)
{
    // Un double d'une autre taille décalerait le fond sous les étiquettes.
    bitmapDouble = !bitmapFond.isNull() && bitmap2x.size() == bitmapFond.size() * 2 ? bitmap2x : QPixmap();
    bitmapDouble.setDevicePixelRatio(2);
}

const QPixmap& CDlgSkin::FondPour(qreal ratio, qreal echelleFond)
{
    const bool dense = ratio > 1 || ratio * echelleFond >= 1.5;
    if (dense && !doubleALire.empty()) {
        PrendreDouble(LireBitmap(doubleALire));
        doubleALire.clear();
    }
    return dense && !bitmapDouble.isNull() ? bitmapDouble : bitmapFond;
}

void CDlgSkin::Redimensionner(QSize taille)
{
    echelle = std::min(qreal(taille.width()) / taillePlateau.width(), qreal(taille.height()) / taillePlateau.height());
    decalage = QPointF((taille.width() - taillePlateau.width() * echelle) / 2,
                       (taille.height() - taillePlateau.height() * echelle) / 2);
    fondAgrandi = QPixmap();
    PlateauRedimensionne();
    zoneClient->update();
}

QPoint CDlgSkin::VersPlateau(const QPoint& point) const
{
    // Le centre du pixel touché, ramené au plateau.
    return QPoint(static_cast<int>(std::floor((point.x() + 0.5 - decalage.x()) / echelle)),
                  static_cast<int>(std::floor((point.y() + 0.5 - decalage.y()) / echelle)));
}

QRect CDlgSkin::ARepeindre(const QRect& rect) const
{
    return echelle == 1 && decalage.isNull() ? rect : VersZone(rect).adjusted(-1, -1, 1, 1);
}

QRect CDlgSkin::VersZone(const QRect& rect) const
{
    if (echelle == 1 && decalage.isNull())
        return rect;
    const auto x = [this](int v) { return static_cast<int>(std::lround(decalage.x() + v * echelle)); };
    const auto y = [this](int v) { return static_cast<int>(std::lround(decalage.y() + v * echelle)); };
    return QRect(QPoint(x(rect.left()), y(rect.top())),
                 QPoint(x(rect.left() + rect.width()) - 1, y(rect.top() + rect.height()) - 1));
}

void CDlgSkin::PeindreFond(QPainter& peintre)
{
    // Le fond ordinaire d'abord : il reste visible là où le bitmap est plus petit.
    peintre.fillRect(zoneClient->rect(), palette().color(QPalette::Window));
    const qreal ratio = peintre.device()->devicePixelRatio();
    const QPixmap& fond = FondPour(ratio, echelle);
    if (fond.isNull())
        return;
    if (echelle == 1 && decalage.isNull()) {
        // Taille logique naturelle, coupé à droite et en bas. Quand sa densité n'est pas celle
        // de l'écran, le fond s'agrandit ou se réduit en douceur, pas pixel par pixel.
        peintre.setRenderHint(QPainter::SmoothPixmapTransform, fond.devicePixelRatio() != ratio);
        peintre.drawPixmap(0, 0, fond);
        return;
    }
    if (fondAgrandi.isNull() || fondAgrandi.size() != zoneClient->size() * ratio ||
        fondAgrandi.devicePixelRatio() != ratio) {
        fondAgrandi = QPixmap(zoneClient->size() * ratio);
        fondAgrandi.setDevicePixelRatio(ratio);
        fondAgrandi.fill(palette().color(QPalette::Window));
        QPainter agrandi(&fondAgrandi);
        PeindreFondAgrandi(agrandi, fond);
    }
    peintre.drawPixmap(0, 0, fondAgrandi);
}

void CDlgSkin::PeindreFondAgrandi(QPainter& peintre, const QPixmap& fond)
{
    // Le plateau agrandi, toujours en douceur ; un bitmap de la taille du plateau voit ses
    // bords gauche et droit prolongés, pixel par pixel de bord, jusqu'à ceux de la zone. En
    // haut et en bas, un bord passe souvent par une bande dessinée (la ligne d'état) : la
    // couleur moyenne du pourtour s'y étend, unie.
    peintre.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRectF cible(decalage, fond.deviceIndependentSize() * echelle);
    const QRectF source(QPointF(0, 0), QSizeF(fond.size()));
    if (fond.deviceIndependentSize() == QSizeF(taillePlateau)) {
        const qreal l = zoneClient->width(), h = zoneClient->height(), f = fond.devicePixelRatio();
        const qreal largeurBord = std::max<qreal>(1, f);
        peintre.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (cible.left() > 0) {
            peintre.drawPixmap(QRectF(0, cible.top(), cible.left(), cible.height()), fond,
                               QRectF(0, 0, largeurBord, source.height()));
            peintre.drawPixmap(QRectF(cible.right(), cible.top(), l - cible.right(), cible.height()), fond,
                               QRectF(source.width() - largeurBord, 0, largeurBord, source.height()));
        }
        if (cible.top() > 0) {
            peintre.fillRect(QRectF(0, 0, l, cible.top()), couleurDuBord);
            peintre.fillRect(QRectF(0, cible.bottom(), l, h - cible.bottom()), couleurDuBord);
        }
        peintre.setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
    peintre.drawPixmap(cible, fond, source);
}

void CDlgSkin::OnLButtonDown(const QPoint& point)
{
    deplacementManuel = false;
    QWindow* fenetre = window()->windowHandle();
    if (fenetre != nullptr && fenetre->startSystemMove())
        return;
    // Sans déplacement par le système : on suit la souris jusqu'au relâchement.
    deplacementManuel = true;
    decalageDeplacement = zoneClient->mapToGlobal(point) - window()->pos();
}

void CDlgSkin::OnRButtonDown(const QPoint&)
{
    // Le bouton droit n'a aucune fonction.
}

void CDlgSkin::DeplacerManuellement(const QPoint& positionEcran)
{
    if (deplacementManuel)
        window()->move(positionEcran - decalageDeplacement);
}

void CDlgSkin::FinirDeplacement()
{
    deplacementManuel = false;
}
