// Base des boîtes à skin : un bitmap peint tel quel depuis le coin de la zone client, sous
// tout le reste, et un appui gauche n'importe où dans cette zone qui déplace la fenêtre.
// Sur un écran dense, le même bitmap dessiné deux fois plus fin le remplace s'il existe.
// La zone client est le widget placé sous la barre de menus ; les étiquettes en sont les
// enfants et se placent dans ses coordonnées.
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
    bool DefinirFond(const QPixmap& bitmap, const QPixmap& bitmap2x = {});
    // Charge un fichier bitmap et son double ; illisible ou absent : plus de fond du tout
    // (le double seul ne suffit pas).
    bool ChargerFond(const std::string& chemin, const std::string& cheminDouble = {});

    bool AUnFond() const { return !bitmapFond.isNull(); }
    const QPixmap& Fond() const { return bitmapFond; }
    // Le fond à peindre sur un écran de `ratio` pixels par pixel logique : le double
    // au-dessus de 1 quand il existe, sinon le fond.
    const QPixmap& FondPour(qreal ratio) const;
    QWidget* ZoneClient() const { return zoneClient; }

protected:
    // Place la barre de menus au-dessus de la zone client.
    void InstallerBarreMenus(QMenuBar* barre);

    // Appui gauche en coordonnées client : lance le déplacement de la fenêtre. Les classes
    // dérivées traitent le clic puis appellent cette version.
    virtual void OnLButtonDown(const QPoint& point);
    virtual void OnRButtonDown(const QPoint& point);
    // Ce qu'une classe dérivée peint sur le fond, sous les étiquettes (rien ici).
    virtual void PeindreSurLeFond(QPainter&) {}

private:
    class CZoneClient;
    friend class CZoneClient;

    void PeindreFond(QPainter& peintre);
    void DeplacerManuellement(const QPoint& positionEcran);
    void FinirDeplacement();

    QPixmap bitmapFond;
    QPixmap bitmapDouble;  // devicePixelRatio 2 : même taille logique que bitmapFond
    QVBoxLayout* disposition = nullptr;
    QWidget* zoneClient = nullptr;  // un CZoneClient
    bool deplacementManuel = false;
    QPoint decalageDeplacement;  // position écran de l'appui moins coin de la fenêtre
};
