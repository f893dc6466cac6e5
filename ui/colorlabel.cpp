#include "ui/colorlabel.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

CColorLabel::CColorLabel(QWidget* parent)
    : QLabel(parent),
      couleurTexte(DepuisQColor(palette().color(QPalette::WindowText))),
      police(QWidget::font())
{
    // Aucun fond propre, et les clics vont à la fenêtre, pas à l'étiquette.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setTextFormat(Qt::PlainText);
    static const bool fabriqueInstallee = [] {
        QAccessible::installFactory(CAccessibleEtiquette::Fabrique);
        return true;
    }();
    (void)fabriqueInstallee;
}

void CColorLabel::ChangerAccessibilite(RoleAccessible role, const std::string& nom)
{
    roleAccessible = role;
    ChangerNomAccessible(nom);
}

void CColorLabel::ChangerNomAccessible(const std::string& nom)
{
    // Qt annonce le changement de nom.
    const QString texte = QString::fromStdString(nom);
    if (accessibleName() != texte)
        setAccessibleName(texte);
}

namespace {
void AnnoncerEtat(QWidget* etiquette, const QAccessible::State& change)
{
    QAccessibleStateChangeEvent evenement(etiquette, change);
    QAccessible::updateAccessibility(&evenement);
}
} // namespace

void CColorLabel::ChangerCoche(bool valeur)
{
    if (coche == valeur)
        return;
    coche = valeur;
    QAccessible::State change;
    change.checked = true;
    change.selected = roleAccessible == RoleAccessible::Choix;
    AnnoncerEtat(this, change);
}

void CColorLabel::ChangerFocusClavier(bool focus)
{
    if (focusClavier == focus)
        return;
    focusClavier = focus;
    QAccessible::State change;
    change.focused = true;
    AnnoncerEtat(this, change);
    if (focus) {
        // Le lecteur d'écran lit la case où le curseur arrive.
        QAccessibleEvent evenement(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&evenement);
    }
}

QColor CColorLabel::VersQColor(Couleur couleur)
{
    return QColor(couleur & 0xFF, (couleur >> 8) & 0xFF, (couleur >> 16) & 0xFF);
}

Couleur CColorLabel::DepuisQColor(const QColor& couleur)
{
    return static_cast<Couleur>(couleur.red()) | (static_cast<Couleur>(couleur.green()) << 8) |
           (static_cast<Couleur>(couleur.blue()) << 16);
}

void CColorLabel::ChangerTexte(const std::string& texte, bool redessiner)
{
    setText(QString::fromStdString(texte));
    if (redessiner)
        Redessiner();
}

void CColorLabel::ChangerCouleurTexte(Couleur couleur, bool redessiner)
{
    couleurTexte = couleur & 0x00FFFFFF;
    if (redessiner)
        Redessiner();
}

void CColorLabel::ChangerNomPolice(const std::string& nom, bool redessiner)
{
    // Un nom de police tient en 31 caractères ; au-delà on le coupe plutôt que de déborder.
    police.setFamily(QString::fromStdString(nom.substr(0, 31)));
    if (redessiner)
        Redessiner();
}

void CColorLabel::ChangerTaillePolice(int hauteur, bool redessiner)
{
    // Hauteur des caractères hors interligne : la taille en pixels de Qt.
    if (hauteur > 0)
        police.setPixelSize(hauteur);
    if (redessiner)
        Redessiner();
}

void CColorLabel::ChangerGras(bool gras, bool redessiner)
{
    police.setWeight(gras ? QFont::Bold : QFont::Normal);
    if (redessiner)
        Redessiner();
}

void CColorLabel::ChangerBarre(bool barre, bool redessiner)
{
    police.setStrikeOut(barre);
    if (redessiner)
        Redessiner();
}

void CColorLabel::ChangerEchelle(qreal valeur)
{
    if (echelle == valeur)
        return;
    echelle = valeur;
    update();
}

bool CColorLabel::TexteCoupe() const
{
    // Peint à l'échelle `echelle`, le texte tient dans la largeur divisée d'autant.
    return QFontMetrics(police).horizontalAdvance(text()) > contentsRect().width() / echelle;
}

void CColorLabel::Redessiner()
{
    QWidget* parent = parentWidget();
    if (parent == nullptr) {
        update();
        return;
    }
    // Le parent repeint son fond puis les enfants qui recouvrent la zone, dont celle-ci.
    parent->update(geometry().adjusted(2, 2, -2, -2));
}

void CColorLabel::paintEvent(QPaintEvent*)
{
    // Des blancs seuls (une case vide porte une espace) ne laissent aucune trace : rien à
    // mettre en page.
    if (text().trimmed().isEmpty())
        return;
    QPainter peintre(this);
    peintre.setFont(police);
    peintre.setPen(VersQColor(couleurTexte));
    if (echelle == 1) {
        peintre.drawText(contentsRect(), static_cast<int>(alignment()), text());
        return;
    }
    // Tout le texte grandit d'un bloc, mise en page comprise, comme le plateau.
    peintre.scale(echelle, echelle);
    peintre.drawText(QRectF(QPointF(0, 0), QSizeF(contentsRect().size()) / echelle), static_cast<int>(alignment()),
                     text());
}
