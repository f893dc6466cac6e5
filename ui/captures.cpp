// Captures de la fenêtre : pour chaque skin d'un dossier, la vraie fenêtre hors écran avec
// une grille en jeu où paraît chaque origine de chiffre, enregistrée en PNG, pixel pour pixel
// de l'écran : sous QT_SCALE_FACTOR=2, <nom>@2x.png en 960 × 682 plus le menu. Puis la même
// partie avec des notes (<nom>-notes.png), un chiffre en conflit (<nom>-conflit.png), le
// surlignage autour d'une case (<nom>-surlignage.png), les trois temps de « Pourquoi ? » sur
// des notes (<nom>-pourquoi-1.png : la technique et où ; -pourquoi-2.png : ses cases, ses
// candidats en gras et ceux qu'elle ôte barrés ; -pourquoi.png : le raisonnement entier et ses
// cases), et la fenêtre agrandie à tout un écran de 1920 × 1080 (<nom>-agrandie.png). Enfin, à
// sa taille, le temps de jeu dans la barre de menus (<nom>-temps.png), la pause
// (<nom>-pause.png), la palette aux chiffres finis et les cases où va le chiffre choisi
// (<nom>-finis.png), et le message de la grille remplie (<nom>-fin.png).
// La partie du premier skin est aussi imprimée par « Imprimer… », avec les chiffres posés, dans
// impression.pdf (make captures en fait impression.png).
// Usage : novemia-captures <dossier des skins> <dossier de sortie>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <sstream>

#include "game/ihmmuette.h"
#include "game/partiegardee.h"
#include "skin/recherchefichiers.h"
#include "skin/registre.h"
#include "ui/dlggrille.h"
#include "ui/grilleapp.h"

namespace {

// La fenêtre sans rien de modal : les messages vont sur la sortie d'erreur.
class CDlgCapture : public CDlgGrille {
public:
    using CDlgGrille::CDlgGrille;
    // Avec un chemin, la vraie boîte du message s'ouvre, est enregistrée là, puis fermée.
    QString imageMessage;
    void Message(const std::string& texte) override
    {
        std::fprintf(stderr, "message : %s\n", texte.c_str());
        if (imageMessage.isEmpty())
            return;
        QTimer::singleShot(0, this, [this] {
            if (auto* boite = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                if (boite->grab().save(imageMessage))
                    std::printf("%s\n", qPrintable(imageMessage));
                boite->accept();
            }
        });
        CDlgGrille::Message(texte);
        imageMessage.clear();
    }
    bool Question(const std::string&, BoutonParDefaut) override { return true; }
    std::optional<std::string> ChoisirFichierAOuvrir() override { return fichierAOuvrir; }
    std::optional<std::string> fichierAOuvrir;
    // Le PDF où « Imprimer… » écrit, avec les chiffres posés.
    QString pdf;

protected:
    int ExecuterBoite(QDialog& boite) override
    {
        if (auto* impression = qobject_cast<QPrintDialog*>(&boite)) {
            impression->printer()->setPageSize(QPageSize(QPageSize::A4));
            impression->printer()->setOutputFileName(pdf);
        } else if (auto* choix = qobject_cast<QMessageBox*>(&boite)) {
            choix->defaultButton()->click();
        }
        return QDialog::Accepted;
    }
};

// Une vraie partie diabolique en cours où paraît chaque origine : en haut les chiffres du
// joueur (dont des hypothèses et des coups de main), au milieu ceux du solveur (déductions
// et hypothèses), en bas des cases encore vides. Aucun clic n'y mène : elle est faite sur une
// partie à part, résolue par le solveur, puis reprise comme une partie gardée.
void PreparerGrille(CPartie& partie)
{
    PartieGardee position;
    for (uint32_t graine = 1;; ++graine) {
        CIhmMuette muette;
        CPartie essai(muette, graine);
        essai.GenererGrille(Diabolique);
        essai.OnResoudre();
        if (essai.Grille().CompterOrigine(HypoOrdi) > 0 && essai.Grille().GrillePleine()) {
            std::istringstream texte(essai.TexteGarde());
            if (const auto raison = LirePartieGardee(texte, position))
                std::fprintf(stderr, "partie illisible : %s\n", raison->c_str());
            break;
        }
    }
    CGrille& grille = position.grille;
    int rang = 0;
    for (int ligne = 0; ligne < 9; ++ligne) {
        for (int colonne = 0; colonne < 9; ++colonne) {
            const OrigineCase origine = grille.LireCase(ligne, colonne).origine;
            if (origine == Init || origine == HypoOrdi)
                continue;
            ++rang;
            if (ligne < 3)
                grille.ChangerOrigine(ligne, colonne, rang % 5 == 0 ? CoupDeMain : rang % 3 == 0 ? HypoJoueur : CoupJoueur);
            else if (ligne >= 6)
                grille.ChangerCase(ligne, colonne, 0, Vide);
        }
    }
    position.chiffreSelectionne = 5;  // « 5 » choisi : en évidence et gras
    position.modeHypothese = 1;       // « ? » allumé
    position.statutBase = " Grille générée (Niveau diabolique)";
    position.statutResultat.clear();
    position.tempsMs = (12 * 60 + 34) * 1000;  // 12:34 de jeu
    std::istringstream texte(EcrirePartieGardee(position));
    if (const auto raison = partie.ReprendreDepuis(texte))
        std::fprintf(stderr, "position refusée : %s\n", raison->c_str());
}

// Un chiffre répété : le premier chiffre posé de la ligne d'une case vide, dans cette case.
void PoserUnConflit(CPartie& partie)
{
    for (int i = 0; i < 81; ++i) {
        if (partie.Grille().LireCase(i / 9, i % 9).chiffre != 0)
            continue;
        for (int colonne = 0; colonne < 9; ++colonne) {
            if (const int32_t d = partie.Grille().LireCase(i / 9, colonne).chiffre) {
                partie.CliquerPalette(d - 1);
                partie.CliquerCase(i / 9, i % 9);
                return;
            }
        }
    }
}

// Une position où la prochaine pose demande trois étapes (deux paires cachées avant une seule
// place), importée comme le ferait un joueur, ses candidats notés.
void PreparerPourquoi(CDlgCapture& boite, const QTemporaryDir& dossier)
{
    const QString chemin = dossier.filePath(QStringLiteral("pourquoi.sdu"));
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return;
    fichier.write("....3.52.\n.8.4..3..\n.3...9...\n5.1...6.3\n2.37.....\n...3.....\n6...13...\n3.....7.4\n.......3.\n");
    fichier.close();
    boite.fichierAOuvrir = chemin.toStdString();
    boite.partie.OnImporter();
    if (boite.partie.Interface().modeHypothese != 0)
        boite.partie.CliquerPalette(10);
    boite.partie.OnNoterCandidats();
}

// Un écran hors écran de 1920 × 1080, pour la fenêtre agrandie.
void EcranDeBureau(const QTemporaryDir& dossier)
{
    const QString chemin = dossier.filePath(QStringLiteral("ecran.json"));
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return;
    fichier.write(R"({"windowFrameMargins": false,
                     "screens": [{"name": "bureau", "x": 0, "y": 0, "width": 1920, "height": 1080,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    fichier.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(chemin));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage : %s <dossier des skins> <dossier de sortie>\n", argv[0]);
        return 2;
    }
    // Réglages et données dans un dossier jetable : jamais ceux de l'utilisateur ni de la machine.
    QTemporaryDir reglages;
    qputenv("XDG_CONFIG_HOME", reglages.path().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", reglages.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", reglages.path().toLocal8Bit());
    EcranDeBureau(reglages);

    CGrilleApp application;
    application.Preparer(argc, argv);

    const QDir dossierSkins(QString::fromLocal8Bit(argv[1]));
    QDir sortie;
    sortie.mkpath(QString::fromLocal8Bit(argv[2]));
    QStringList noms;
    for (const QString& fichier : dossierSkins.entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name)) {
        const QString nom = fichier.left(fichier.size() - 4);
        if (!nom.endsWith(QLatin1String(SuffixeDouble)))
            noms << nom;
    }
    if (noms.isEmpty()) {
        std::fprintf(stderr, "Aucun skin dans %s\n", argv[1]);
        return 1;
    }
    // Un dossier d'application jetable dont « skin » mène aux skins : le démarrage réel
    // les trouve par les réglages, comme chez un joueur.
    QTemporaryDir appli;
    QFile::link(dossierSkins.absolutePath(), QDir(appli.path()).filePath(QStringLiteral("skin")));
    EcrireRegistre("s2gAppDir", appli.path().toStdString());
    int echecs = 0;
    for (const QString& nom : noms) {
        EcrireRegistre("Skin", nom.toStdString());
        CDlgCapture boite(application);
        boite.show();
        PreparerGrille(boite.partie);
        const qreal ratio = boite.devicePixelRatio();
        const QString suffixe = ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio);
        auto capturer = [&](const QString& sorte) {
            QApplication::processEvents();
            const QString chemin = QDir(QString::fromLocal8Bit(argv[2])).filePath(nom + sorte + suffixe + QStringLiteral(".png"));
            QPixmap image = boite.grab();
            // Le panneau de « Pourquoi ? » est une bulle sous la fenêtre : on l'y ajoute.
            if (boite.panneauRaisonnement != nullptr && boite.panneauRaisonnement->isVisible()) {
                const QPixmap panneau = boite.panneauRaisonnement->grab();
                const QSizeF haut = image.deviceIndependentSize();
                const QSizeF bas = panneau.deviceIndependentSize();
                QPixmap ensemble((QSizeF(haut.width(), haut.height() + bas.height()) * ratio).toSize());
                ensemble.setDevicePixelRatio(ratio);
                ensemble.fill(Qt::black);
                QPainter peintre(&ensemble);
                peintre.drawPixmap(QPointF(0, 0), image);
                peintre.drawPixmap(QPointF(0, haut.height()), panneau);
                peintre.end();
                image = ensemble;
            }
            if (!image.save(chemin)) {
                std::fprintf(stderr, "Impossible d'écrire %s\n", qPrintable(chemin));
                ++echecs;
            } else {
                std::printf("%s\n", qPrintable(chemin));
            }
        };
        capturer({});
        CPartie& partie = boite.partie;
        if (ratio == 1 && nom == noms.first()) {
            boite.pdf = QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("impression.pdf"));
            partie.OnImprimer();
        }
        partie.OnNoterCandidats();
        capturer(QStringLiteral("-notes"));
        partie.Annuler();
        partie.ChangerOptions({true, false});
        PoserUnConflit(partie);
        capturer(QStringLiteral("-conflit"));
        partie.Annuler();
        partie.CliquerPalette(4);
        partie.ChangerOptions({false, true});
        partie.MontrerCurseurSur(1, 3);
        capturer(QStringLiteral("-surlignage"));
        partie.ChangerOptions({false, false});
        PreparerPourquoi(boite, reglages);
        for (const QString& temps : {QStringLiteral("-pourquoi-1"), QStringLiteral("-pourquoi-2"), QStringLiteral("-pourquoi")}) {
            partie.OnPourquoi();
            capturer(temps);
        }
        boite.MontrerRaisonnement({}, {}, {});
        // Agrandie, avec des notes : tout grandit d'un bloc, et reste net.
        boite.showMaximized();
        capturer(QStringLiteral("-agrandie"));
        boite.showNormal();
        // Le temps de jeu, la pause, puis la fin : la même partie reprise, les choix allumés.
        PreparerGrille(partie);
        OptionsJeu choix;
        choix.chronometre = choix.surligner = choix.felicitations = true;
        boite.AppliquerOptions(choix);
        capturer(QStringLiteral("-temps"));
        partie.OnPause();
        capturer(QStringLiteral("-pause"));
        partie.OnPause();
        // Le 5 posé partout, puis le 3 choisi : ses cases possibles en pointillé.
        const auto poser = [&](int32_t chiffre) {
            for (int i = 0; i < 81; ++i) {
                if (partie.Grille().LireCase(i / 9, i % 9).chiffre != 0 ||
                    (chiffre != 0 && partie.Grille().LireSolution(i / 9, i % 9).chiffre != chiffre))
                    continue;
                partie.CliquerPalette(partie.Grille().LireSolution(i / 9, i % 9).chiffre - 1);
                partie.CliquerCase(i / 9, i % 9);
            }
        };
        if (partie.Interface().modeHypothese != 0)
            partie.CliquerPalette(10);
        poser(5);
        partie.CliquerPalette(2);
        capturer(QStringLiteral("-finis"));
        boite.imageMessage =
            QDir(QString::fromLocal8Bit(argv[2])).filePath(nom + QStringLiteral("-fin") + suffixe + QStringLiteral(".png"));
        poser(0);
        boite.AppliquerOptions({});
        boite.hide();
    }
    return echecs == 0 ? 0 : 1;
}
