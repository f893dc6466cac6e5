// Base des boîtes à skin : un bitmap peint tel quel depuis le coin de la zone client, sous
// tout le reste, et un appui gauche n'importe où dans cette zone qui déplace la fenêtre.
// Sur un écran dense, le même bitmap dessiné deux fois plus fin le remplace s'il existe.
// La zone client est le widget placé sous la barre de menus ; les étiquettes en sont les
// enfants et se placent dans ses coordonnées.
//
// La fenêtre peut grandir : le plateau (le bitmap et ce qui se place dessus, de la taille
// donnée à la construction) grandit alors d'une seule échelle, centré ; à gauche et à droite,
// les bords du bitmap se prolongent jusqu'à ceux de la zone, en haut et en bas s'étend la
// couleur moyenne de son pourtour. À sa taille d'origine, rien ne change.
#pragma once

#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <string>

class QMenuBar;
class QVBoxLayout;

class CDlgSkin : public QDialog {
    Q_OBJECT
public:
    CDlgSkin(int largeurClient, int hauteurClient, QWidget* parent = nullptr);
    ~CDlgSkin() override;

    // Prend `bitmap` comme fond ; un pixmap nul retire le fond. `bitmap2x` (facultatif) est
    // le même fond deux fois plus grand, pour les écrans denses ; d'une autre taille, il est
    // ignoré. Repeint tout.
    void DefinirFond(const QPixmap& bitmap, const QPixmap& bitmap2x = {});
    // Charge un fichier bitmap et son double ; illisible ou absent : plus de fond du tout
    // (le double seul ne suffit pas). Le double n'est lu qu'au premier FondPour qui le demande.
    void ChargerFond(const std::string& chemin, const std::string& cheminDouble = {});

    bool AUnFond() const { return !bitmapFond.isNull(); }
    const QPixmap& Fond() const { return bitmapFond; }
    // Le fond à peindre sur un écran de `ratio` pixels par pixel logique : le double
    // au-dessus de 1 quand il existe, sinon le fond.
    // Le plateau agrandi de `echelle` prend le double dès qu'il couvre 1,5 pixel de l'écran.
    const QPixmap& FondPour(qreal ratio, qreal echelle = 1);
    QWidget* ZoneClient() const { return zoneClient; }

    // L'échelle du plateau dans la zone client (1 à la taille d'origine) et son coin.
    qreal Echelle() const { return echelle; }
    QPointF Decalage() const { return decalage; }
    // Un point de la zone client en pixels du plateau à l'échelle 1.
    QPoint VersPlateau(const QPoint& point) const;
    // Un rectangle du plateau à l'échelle 1 dans la zone client, chaque bord arrondi à part :
    // deux rectangles qui se touchent se touchent encore.
    QRect VersZone(const QRect& rect) const;
    // La zone client à repeindre pour un rectangle du plateau : agrandi, un pixel de plus
    // autour, pour les bords lissés.
    QRect ARepeindre(const QRect& rect) const;

protected:
    // Place la barre de menus au-dessus de la zone client.
    void InstallerBarreMenus(QMenuBar* barre);

    // Appui gauche en coordonnées client : lance le déplacement de la fenêtre. Les classes
    // dérivées traitent le clic puis appellent cette version.
    virtual void OnLButtonDown(const QPoint& point);
    virtual void OnRButtonDown(const QPoint& point);
    // Ce qu'une classe dérivée peint sur le fond, sous les étiquettes, en pixels du plateau
    // à l'échelle 1 : le peintre est déjà mis à l'échelle (rien ici).
    virtual void PeindreSurLeFond(QPainter&) {}
    // Le plateau vient de changer d'échelle : ce qui s'y place suit (rien ici).
    virtual void PlateauRedimensionne() {}
    // Une fois, après que la première image de la fenêtre est peinte et montrée : ce que
    // l'ouverture peut laisser pour après (rien ici).
    virtual void ApresPremiereImage() {}

private:
    class CZoneClient;
    friend class CZoneClient;

    void PeindreFond(QPainter& peintre);
    // Garde `bitmap2x` comme double s'il fait deux fois le fond, sinon aucun double.
    void PrendreDouble(const QPixmap& bitmap2x);
    void Redimensionner(QSize taille);
    void DeplacerManuellement(const QPoint& positionEcran);
    void FinirDeplacement();

    QPixmap bitmapFond;
    QPixmap bitmapDouble;  // devicePixelRatio 2 : même taille logique que bitmapFond
    std::string doubleALire;  // le fichier du double chargé avec le fond, pas encore lu
    // Le fond agrandi à la taille de la zone, bords prolongés : refait seulement quand la
    // taille, la densité ou le fond changent, pas à chaque peinture.
    QPixmap fondAgrandi;
    QColor couleurDuBord;  // la moyenne des pixels du pourtour du fond
    void PeindreFondAgrandi(QPainter& peintre, const QPixmap& fond);
    QVBoxLayout* disposition = nullptr;
    QWidget* zoneClient = nullptr;  // un CZoneClient
    QSize taillePlateau;
    qreal echelle = 1;
    QPointF decalage;
    bool premiereImagePeinte = false;
    bool deplacementManuel = false;
    QPoint decalageDeplacement;  // position écran de l'appui moins coin de la fenêtre
};
