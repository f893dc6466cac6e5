#include "ui/dlgskin.h"

#include <QImage>
#include <QImageReader>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

// La zone client : peint le fond et rend les appuis de souris à la boîte.
class CDlgSkin::CZoneClient : public QWidget {
public:
    CZoneClient(CDlgSkin& boite, int largeur, int hauteur) : QWidget(&boite), boite(boite)
    {
        setFixedSize(largeur, hauteur);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter peintre(this);
        boite.PeindreFond(peintre);
        boite.PeindreSurLeFond(peintre);
    }
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

CDlgSkin::CDlgSkin(int largeurClient, int hauteurClient, QWidget* parent) : QDialog(parent)
{
    disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    // Taille fixée par le contenu : la fenêtre ne se redimensionne pas.
    disposition->setSizeConstraint(QLayout::SetFixedSize);
    zoneClient = new CZoneClient(*this, largeurClient, hauteurClient);
    disposition->addWidget(zoneClient);
}

CDlgSkin::~CDlgSkin() = default;

void CDlgSkin::InstallerBarreMenus(QMenuBar* barre)
{
    disposition->setMenuBar(barre);
}

namespace {

// Un fichier absent ou illisible donne un pixmap nul, sans message.
QPixmap LireBitmap(const std::string& chemin)
{
    QImageReader lecteur(QString::fromStdString(chemin));
    const QImage image = lecteur.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

}  // namespace

bool CDlgSkin::DefinirFond(const QPixmap& bitmap, const QPixmap& bitmap2x)
{
    bitmapFond = bitmap;
    // Un double d'une autre taille décalerait le fond sous les étiquettes.
    bitmapDouble = !bitmap.isNull() && bitmap2x.size() == bitmap.size() * 2 ? bitmap2x : QPixmap();
    bitmapDouble.setDevicePixelRatio(2);
    // Tout repeindre, étiquettes comprises : la zone client ne masque pas ses enfants.
    zoneClient->update();
    return true;
}

bool CDlgSkin::ChargerFond(const std::string& chemin, const std::string& cheminDouble)
{
    // Un fichier absent ou illisible retire le fond précédent.
    return DefinirFond(LireBitmap(chemin), LireBitmap(cheminDouble));
}

const QPixmap& CDlgSkin::FondPour(qreal ratio) const
{
    return ratio > 1 && !bitmapDouble.isNull() ? bitmapDouble : bitmapFond;
}

void CDlgSkin::PeindreFond(QPainter& peintre)
{
    // Le fond ordinaire d'abord : il reste visible là où le bitmap est plus petit.
    peintre.fillRect(zoneClient->rect(), palette().color(QPalette::Window));
    const qreal ratio = peintre.device()->devicePixelRatio();
    const QPixmap& fond = FondPour(ratio);
    if (fond.isNull())
        return;
    // Taille logique naturelle, coupé à droite et en bas. Quand sa densité n'est pas celle
    // de l'écran, le fond s'agrandit ou se réduit en douceur, pas pixel par pixel.
    peintre.setRenderHint(QPainter::SmoothPixmapTransform, fond.devicePixelRatio() != ratio);
    peintre.drawPixmap(0, 0, fond);
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
