// Outils des tests de la fenêtre : une fenêtre principale dont les boîtes modales sont
// scriptées (rien ne bloque), et un environnement jetable (réglages, dossier des skins avec
// deux skins écrits par le test).
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "skin/configuration.h"
#include "skin/emplacementsreglages.h"
#include "skin/registre.h"
#include "tests/support/emplacementreglages.h"
#include "ui/colorlabel.h"
#include "ui/dlggrille.h"
#include "ui/grilleapp.h"

// Couleurs d'un skin de test, composante par composante, dans l'ordre des clés.
struct CouleursSkin {
    int rvb[6][3];
};

inline Couleur Composer(const int rvb[3])
{
    return static_cast<Couleur>(rvb[0] & 0xFF) | (static_cast<Couleur>(rvb[1] & 0xFF) << 8) |
           (static_cast<Couleur>(rvb[2] & 0xFF) << 16);
}

// Table attendue pour un skin : chaque clé vers ses entrées.
inline TableCouleurs TableAttendue(const CouleursSkin& s)
{
    const Couleur init = Composer(s.rvb[0]), deduit = Composer(s.rvb[1]);
    return {init, init, deduit, deduit, Composer(s.rvb[2]), Composer(s.rvb[3]), Composer(s.rvb[4]),
            Composer(s.rvb[5]), init, deduit, init};
}

inline const CouleursSkin SkinClair{{{10, 20, 30}, {0, 140, 0}, {200, 100, 0}, {130, 0, 130}, {0, 0, 220}, {220, 0, 0}}};
inline const CouleursSkin SkinSombre{{{240, 240, 230}, {120, 230, 120}, {250, 180, 60}, {230, 130, 230}, {120, 170, 255}, {255, 110, 110}}};

class CEnvironnementFenetre {
public:
    CEnvironnementFenetre()
    {
        QDir racine(dossier.path());
        racine.mkpath(QStringLiteral("utilisateur"));
        racine.mkpath(QStringLiteral("machine"));
        racine.mkpath(QStringLiteral("appli/skin"));
        DefinirEmplacements({EmplacementReglages(racine.filePath(QStringLiteral("utilisateur"))),
                             {EmplacementReglages(racine.filePath(QStringLiteral("machine")))}});
        EcrireSkin("Clair", SkinClair, QColor(250, 250, 240), 480, 341);
        EcrireSkin("Sombre", SkinSombre, QColor(30, 40, 50), 480, 341);
        EcrireRegistre("s2gAppDir", Appli());
        EcrireRegistre("Skin", "Clair");
    }

    std::string Appli() const { return QDir(dossier.path()).filePath(QStringLiteral("appli")).toStdString(); }
    std::string Skins() const { return Appli() + "/skin"; }
    QString Chemin(const QString& nom) const { return QDir(dossier.path()).filePath(nom); }

    void EcrireSkin(const std::string& nom, const CouleursSkin& s, const QColor& fond, int largeur, int hauteur)
    {
        QImage image(largeur, hauteur, QImage::Format_RGB32);
        image.fill(fond);
        image.save(QString::fromStdString(Skins() + "/" + nom + ".bmp"), "BMP");
        static const char* cles[6] = {"Init=", "DeduitOrdi=", "HypoOrdi=", "CoupDeMain=", "CoupJoueur=", "HypoJoueur="};
        std::string texte = "# skin de test\n";
        for (int k = 0; k < 6; ++k)
            texte += std::string(cles[k]) + std::to_string(s.rvb[k][0]) + "," + std::to_string(s.rvb[k][1]) + "," +
                     std::to_string(s.rvb[k][2]) + "\n";
        EcrireTexte(Skins() + "/" + nom + ".cfg", texte);
    }

    static void EcrireTexte(const std::string& chemin, const std::string& texte)
    {
        QFile f(QString::fromStdString(chemin));
        if (f.open(QIODevice::WriteOnly))
            f.write(texte.data(), static_cast<qint64>(texte.size()));
    }

private:
    QTemporaryDir dossier;
};

// La fenêtre principale aux boîtes modales scriptées.
class CDlgGrilleTest : public CDlgGrille {
public:
    // La partie gardée dans le dossier courant du test, jetable : sous Windows, le dossier de
    // données de l'utilisateur ne se détourne pas par l'environnement. Le hasard semé d'une
    // graine fixe : les mêmes grilles à chaque essai.
    explicit CDlgGrilleTest(CGrilleApp& application, uint32_t graine = 12345)
        : CDlgGrille(application, nullptr, graine)
    {
        cheminPartie = QDir::current().filePath(QStringLiteral("donnees/partie.novemia")).toStdString();
        partie.ChangerFichierStatistiques(
            QDir::current().filePath(QStringLiteral("donnees/statistiques.novemia")).toStdString());
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> reponses;  // « Oui » quand le script est épuisé
    std::deque<std::optional<std::string>> fichiersAOuvrir, fichiersAEnregistrer;
    std::vector<std::string> boitesOuvertes;  // titres des boîtes modales lancées
    std::function<void(QDialog&)> surBoite;
    int resultatBoite = QDialog::Rejected;  // ce que rend chaque boîte modale

    void Message(const std::string& texte) override { messages.push_back(texte); }
    bool Question(const std::string& texte, BoutonParDefaut) override
    {
        questions.push_back(texte);
        if (reponses.empty())
            return true;
        const bool r = reponses.front();
        reponses.pop_front();
        return r;
    }
    std::optional<std::string> ChoisirFichierAOuvrir() override { return Depiler(fichiersAOuvrir); }
    std::optional<std::string> ChoisirFichierAEnregistrer() override { return Depiler(fichiersAEnregistrer); }

protected:
    int ExecuterBoite(QDialog& boite) override
    {
        boitesOuvertes.push_back(boite.windowTitle().toStdString());
        if (surBoite)
            surBoite(boite);
        return resultatBoite;
    }

private:
    static std::optional<std::string> Depiler(std::deque<std::optional<std::string>>& file)
    {
        if (file.empty())
            return std::nullopt;
        auto r = file.front();
        file.pop_front();
        return r;
    }
};

// Pixels de l'image égaux (ou, si `egal` est faux, différents) à `couleur`.
inline int Compter(const QImage& image, const QColor& couleur, bool egal = true)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixelColor(x, y) == couleur) == egal;
    return n;
}

// Clic réel : par la fenêtre, au point donné en coordonnées de la zone client, de sorte
// que Qt choisisse lui-même le widget sous la souris.
inline void Cliquer(CDlgGrille& boite, QPoint pointClient, Qt::MouseButton bouton = Qt::LeftButton)
{
    const QPoint point = boite.ZoneClient()->mapTo(&boite, pointClient);
    QTest::mouseClick(boite.windowHandle(), bouton, Qt::NoModifier, point);
}

// Centre en pixels client d'une case et d'une entrée de palette, d'après les zones de clic.
inline QPoint PointCase(int ligne, int colonne) { return {86 + 33 * colonne + 16, 14 + 32 * ligne + 16}; }
inline QPoint PointPalette(int entree) { return {430, 32 + 23 * entree + 11}; }
