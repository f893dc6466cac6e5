#include "ui/dlggrille.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>
#include <iterator>
#include <vector>

#include "game/explication.h"
#include "skin/recherchefichiers.h"
#include "skin/registre.h"
#include "ui/colorlabel.h"
#include "ui/dlgapropos.h"
#include "ui/dlgpref.h"
#include "disposition/disposition.h"
#include "disposition/geometrie.h"
#include "ui/grilleapp.h"
#include "ui/icone.h"
#include "ui/impression.h"
#include "ui/menu.h"

namespace {

const std::string NomPolice = "Times New Roman";

// La teinte des cases dont se sert le raisonnement de « Pourquoi ? » ; la fenêtre la pose
// elle-même, au-dessus des teintes que la partie envoie.
constexpr uint8_t TeinteRaisonnement = 16;

// Rectangle en unités de dialogue → pixels de la zone client (bords arrondis un à un,
// pour que deux étiquettes voisines se touchent sans se chevaucher d'un pixel de trop).
QRect EnPixels(const disposition::Rect& r)
{
    const int gauche = disposition::EnPixelsX(r.x);
    const int haut = disposition::EnPixelsY(r.y);
    return QRect(gauche, haut, disposition::EnPixelsX(r.x + r.largeur) - gauche,
                 disposition::EnPixelsY(r.y + r.hauteur) - haut);
}

}  // namespace

CDlgGrille::CDlgGrille(CGrilleApp& application, QWidget* parent, std::optional<uint32_t> graine)
    : CDlgSkin(disposition::LargeurClient, disposition::HauteurClient, parent),
      app(application),
      // Le seul ensemencement du programme : les 32 bits bas de l'heure.
      partie(*this, graine.value_or(static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)) & 0xFFFFFFFFu)))
{
    setWindowTitle(QStringLiteral("Novemia"));
    // La fenêtre peut grandir jusqu'à l'écran entier : le plateau grandit avec elle.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    // Aucun contrôle ne prend le clavier : la fenêtre le garde, et la barre de menus le lui
    // rend après une navigation au clavier, si bien qu'Échap la ferme encore.
    setFocusPolicy(Qt::StrongFocus);
#ifdef Q_OS_WIN
    // Sous Windows, tout est installé dans le dossier du programme.
    cheminAide = (QCoreApplication::applicationDirPath() + QStringLiteral("/aide/index.html")).toStdString();
#else
    cheminAide = (QCoreApplication::applicationDirPath() + QStringLiteral("/../share/novemia/aide/index.html"))
                     .toStdString();
#endif
    const QString donnees = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    cheminPartie = (donnees + QStringLiteral("/partie.novemia")).toStdString();
    partie.ChangerFichierStatistiques((donnees + QStringLiteral("/statistiques.novemia")).toStdString());
    CreerEtiquettes();
}

CDlgGrille::~CDlgGrille() = default;

void CDlgGrille::CreerEtiquettes()
{
    QWidget* client = ZoneClient();
    auto creer = [client](int id, const disposition::Rect& rect, Qt::Alignment alignement) {
        auto* etiquette = new CColorLabel(client);
        etiquette->setObjectName(QString::number(id));
        etiquette->setProperty("id", id);
        etiquette->setGeometry(EnPixels(rect));
        etiquette->setAlignment(alignement | Qt::AlignVCenter);
        return etiquette;
    };
    for (int ligne = 0; ligne < 9; ++ligne)
        for (int colonne = 0; colonne < 9; ++colonne) {
            CColorLabel* etiquette = creer(IdCase(ligne, colonne), disposition::RectCase(ligne, colonne), Qt::AlignHCenter);
            etiquette->ChangerAccessibilite(RoleAccessible::Case, DecrireCase(ligne, colonne, 0, Vide));
            etiquettesCases[9 * ligne + colonne] = etiquette;
        }
    for (int entree = 0; entree < 11; ++entree)
        etiquettesPalette[entree] =
            creer(IDC_PALETTE[entree], disposition::RectPalette(entree), Qt::AlignHCenter);
    // Ce que lit un lecteur d'écran de la palette : son rôle et son nom, son état ensuite.
    for (int entree = 0; entree < 9; ++entree)
        etiquettesPalette[entree]->ChangerAccessibilite(RoleAccessible::Choix, "Chiffre " + std::to_string(entree + 1));
    etiquettesPalette[9]->ChangerAccessibilite(RoleAccessible::Choix, "Gomme");
    etiquettesPalette[10]->ChangerAccessibilite(RoleAccessible::Bascule, "Mode hypothèse");
    etiquetteStatut = creer(IDC_STATUT, disposition::RectStatut, Qt::AlignLeft);
    etiquetteStatut->ChangerAccessibilite(RoleAccessible::Etat);
}

void CDlgGrille::CreerMenu()
{
    menuPrincipal = new QMenuBar(this);
    // Toujours dans la fenêtre : la zone client commence sous elle.
    menuPrincipal->setNativeMenuBar(false);
    // Une pile de menus par profondeur : chaque sous-menu reçoit les entrées qui le suivent.
    std::vector<QMenu*> parents(3, nullptr);
    // L'action garde l'identifiant de sa ligne et mène droit au gestionnaire de celle-ci.
    auto relier = [this](QAction* action, const EntreeMenu& entree) {
        action->setData(entree.id);
        connect(action, &QAction::triggered, this, [this, gestionnaire = entree.gestionnaire, id = entree.id] {
            EffacerRaisonnement();
            // Toute autre commande reprend d'abord le jeu : elle agit sur une grille qu'on voit.
            if (id != ID_PAUSE)
                partie.FinirPause();
            gestionnaire(*this);
        });
    };
    for (const EntreeMenu& entree : TableMenu) {
        const QString texte = QString::fromUtf8(entree.texte.data(), static_cast<qsizetype>(entree.texte.size()));
        QMenu* parent = entree.profondeur > 0 ? parents[entree.profondeur - 1] : nullptr;
        switch (entree.genre) {
        case EntreeMenu::SousMenu: {
            QMenu* menu = parent != nullptr ? parent->addMenu(texte) : menuPrincipal->addMenu(texte);
            parents[entree.profondeur] = menu;
            if (entree.profondeur == 0 && menuGrille == nullptr)
                menuGrille = menu;
            if (entree.griseeEnCreation)
                griseesEnCreation.push_back(menu->menuAction());
            break;
        }
        case EntreeMenu::Separateur:
            parent->addSeparator();
            break;
        case EntreeMenu::Commande: {
            QAction* action = parent != nullptr ? parent->addAction(texte) : menuPrincipal->addAction(texte);
            if (entree.raccourci.key() != Qt::Key_unknown)
                action->setShortcut(QKeySequence(entree.raccourci));
            relier(action, entree);
            if (entree.id == ID_CREER)
                actionCreer = action;
            if (entree.griseeEnCreation)
                griseesEnCreation.push_back(action);
            break;
        }
        case EntreeMenu::Raccourci: {
            auto* action = new QAction(this);
            action->setShortcut(QKeySequence(entree.raccourci));
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
            relier(action, entree);
            break;
        }
        }
    }
    InstallerBarreMenus(menuPrincipal);
}

void CDlgGrille::setVisible(bool visible)
{
    if (visible && !initialisee)
        OnInitDialog();
    if (!visible)
        EffacerRaisonnement();
    CDlgSkin::setVisible(visible);
}

void CDlgGrille::OnInitDialog()
{
    if (initialisee)
        return;
    initialisee = true;

    CreerMenu();

    // Les réglages deviennent ici les textes que le programme garde : une erreur de lecture
    // se retrouve telle quelle dans les chemins et le message du skin introuvable.
    app.repertoireAppli = TexteReglage(DossierResolu(LireReglage("s2gAppDir")));
    app.repertoireSkins = app.repertoireAppli + "/skin";
    app.nomSkin = LireRegistre("Skin");
    ChargerSkin();

    for (CColorLabel* etiquette : etiquettesCases) {
        etiquette->ChangerNomPolice(NomPolice, false);
        etiquette->ChangerTaillePolice(22, true);
    }
    for (int entree = 0; entree < 9; ++entree) {
        CColorLabel* etiquette = etiquettesPalette[entree];
        etiquette->ChangerNomPolice(NomPolice, false);
        etiquette->ChangerTaillePolice(18, false);
        etiquette->ChangerCouleurTexte(couleurs[8], false);
        etiquette->ChangerTexte(std::to_string(entree + 1), true);
    }
    for (int entree = 9; entree < 11; ++entree) {
        CColorLabel* etiquette = etiquettesPalette[entree];
        etiquette->ChangerNomPolice(NomPolice, false);
        etiquette->ChangerTaillePolice(16, false);
        etiquette->ChangerCouleurTexte(couleurs[8], false);
        etiquette->ChangerTexte(entree == 9 ? "Eff" : "?", true);
    }
    etiquetteStatut->ChangerNomPolice(NomPolice, false);
    etiquetteStatut->ChangerTaillePolice(12, false);
    etiquetteStatut->ChangerCouleurTexte(couleurs[10], false);
    etiquetteStatut->ChangerTexte(" Pas de grille", true);

    // Les choix de « Préférences », puis la partie gardée au dernier lancement s'il le faut.
    AppliquerOptions(LireOptionsJeu());
    if (options.reprendrePartie)
        partie.Reprendre(cheminPartie);
    RetrouverTaille();
}

void CDlgGrille::ApresPremiereImage()
{
    // Ses tailles de 16 à 256 pixels, décodées et envoyées au gestionnaire de fenêtres, ne
    // retardent pas le plateau.
    Icone();
}

const QIcon& CDlgGrille::Icone()
{
    if (icone.isNull()) {
        icone = IconeApplication();
        setWindowIcon(icone);
    }
    return icone;
}

void CDlgGrille::AppliquerOptions(const OptionsJeu& choix)
{
    options = choix;
    partie.ChangerOptions({choix.montrerConflits, choix.surligner, choix.felicitations});
    if (menuPrincipal == nullptr || choix.chronometre == (etiquetteTemps != nullptr))
        return;
    if (!choix.chronometre) {
        menuPrincipal->setCornerWidget(nullptr, Qt::TopRightCorner);
        delete etiquetteTemps;
        etiquetteTemps = nullptr;
        minuterieTemps->stop();
        return;
    }
    // Dans la barre de menus, qui n'est pas du skin et suit toute largeur de fenêtre : il ne
    // cache rien du plateau ni de la ligne d'état, quels que soient le skin et la taille.
    etiquetteTemps = new QLabel(menuPrincipal);
    etiquetteTemps->setObjectName(QStringLiteral("temps"));
    etiquetteTemps->setAccessibleName(QStringLiteral("Temps de jeu"));
    etiquetteTemps->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    etiquetteTemps->setContentsMargins(0, 0, 8, 0);
    // La barre place son coin à la largeur qu'il demande en y entrant : assez pour le plus long
    // texte, sans quoi « 0:07 » serait coupé, et sans que la barre bouge chaque seconde.
    etiquetteTemps->setMinimumWidth(etiquetteTemps->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 8);
    // De la hauteur d'une entrée de la barre, pour que les textes soient sur la même ligne.
    etiquetteTemps->setMinimumHeight(menuPrincipal->actionGeometry(menuPrincipal->actions().constFirst()).height());
    menuPrincipal->setCornerWidget(etiquetteTemps, Qt::TopRightCorner);
    etiquetteTemps->show();
    if (minuterieTemps == nullptr) {
        minuterieTemps = new QTimer(this);
        connect(minuterieTemps, &QTimer::timeout, this, &CDlgGrille::MontrerTemps);
    }
    minuterieTemps->start(250);
    MontrerTemps();
}

void CDlgGrille::MontrerTemps()
{
    if (etiquetteTemps == nullptr)
        return;
    QString texte;
    if (enPause)
        texte = QStringLiteral("Pause");
    else if (partie.GrilleEnCours() && !partie.ModeCreation())
        texte = QString::fromStdString(TexteDuree(partie.TempsDeJeu().count()));
    if (texte != etiquetteTemps->text())
        etiquetteTemps->setText(texte);
}

void CDlgGrille::SignalerActivite()
{
    partie.ChangerActivite(isVisible() && isActiveWindow() && !isMinimized());
}

void CDlgGrille::showEvent(QShowEvent* evenement)
{
    CDlgSkin::showEvent(evenement);
    SignalerActivite();
}

void CDlgGrille::hideEvent(QHideEvent* evenement)
{
    CDlgSkin::hideEvent(evenement);
    SignalerActivite();
}

void CDlgGrille::Fermer(int resultat)
{
    if (!partie.PeutFermer(options.reprendrePartie ? &cheminPartie : nullptr))
        return;
    GarderTaille();
    done(resultat);
}

namespace {

// « largeur,hauteur », suivi de « ,1 » pour une fenêtre agrandie à tout l'écran.
std::string TexteTaille(QSize taille, bool agrandie)
{
    return std::to_string(taille.width()) + "," + std::to_string(taille.height()) + (agrandie ? ",1" : "");
}

}  // namespace

void CDlgGrille::RetrouverTaille()
{
    const Reglage reglage = LireReglage("Fenetre");
    if (reglage.erreur != 0)
        return;
    tailleLue = reglage.valeur;
    const QStringList champs = QString::fromStdString(reglage.valeur).split(QLatin1Char(','));
    bool largeurLue = false, hauteurLue = false;
    QSize taille(champs.value(0).toInt(&largeurLue), champs.value(1).toInt(&hauteurLue));
    if (!largeurLue || !hauteurLue || champs.size() > 3)
        return;
    // Jamais moins que le plateau à l'échelle 1, jamais plus que l'écran.
    taille = taille.expandedTo(minimumSizeHint());
    if (screen() != nullptr)
        taille = taille.boundedTo(screen()->availableGeometry().size()).expandedTo(minimumSizeHint());
    resize(taille);
    if (champs.value(2) == QLatin1String("1"))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CDlgGrille::GarderTaille()
{
    const bool agrandie = isMaximized();
    const QSize taille = agrandie && normalGeometry().isValid() ? normalGeometry().size() : size();
    const std::string texte = TexteTaille(taille, agrandie);
    // Rien d'écrit tant que la fenêtre garde la taille qu'elle avait en s'ouvrant.
    if (texte == (tailleLue.empty() ? TexteTaille(sizeHint(), false) : tailleLue))
        return;
    EcrireRegistre("Fenetre", texte);
}

void CDlgGrille::ChargerSkin()
{
    ChargerFond(FichierDuSkin(app.repertoireSkins, app.nomSkin, "bmp"),
                FichierDuSkin(app.repertoireSkins, app.nomSkin + SuffixeDouble, "bmp"));
    ChargerConfiguration(FichierDuSkin(app.repertoireSkins, app.nomSkin, "cfg"));
    partie.AfficherGrille();
    etiquetteStatut->ChangerCouleurTexte(couleurs[10], true);
    partie.AfficherPalette();
}

QRect CDlgGrille::CadreCurseur(std::pair<int, int> position) const
{
    return EnPixels(disposition::RectCase(position.first, position.second)).adjusted(2, 2, -2, -2);
}

QRect CDlgGrille::InterieurCase(int ligne, int colonne)
{
    static constexpr auto traitsX = geometrie::TraitsVerticaux();
    static constexpr auto traitsY = geometrie::TraitsHorizontaux();
    // Après le trait k et avant le trait k + 1 : un trait fin tient un pixel, un trait de
    // région trois, centrés ; le cadre, plus épais, déborde plus loin vers l'intérieur.
    const auto debut = [](int k, double trait) { return geometrie::PixelDuTrait(trait) + (k % 3 == 0 ? 2 : 1); };
    const auto fin = [](int k, double trait) {
        return geometrie::PixelDuTrait(trait) - (k == 9 ? 2 : k % 3 == 0 ? 1 : 0);
    };
    return QRect(QPoint(debut(colonne, traitsX[colonne]), debut(ligne, traitsY[ligne])),
                 QPoint(fin(colonne + 1, traitsX[colonne + 1]) - 1, fin(ligne + 1, traitsY[ligne + 1]) - 1));
}

void CDlgGrille::PeindreSurLeFond(QPainter& peintre)
{
    if (enPause) {
        // Rien de la grille : seulement le mot, au milieu du plateau.
        QFont police(QString::fromStdString(NomPolice));
        police.setPixelSize(40);
        police.setBold(true);
        peintre.setFont(police);
        peintre.setPen(CColorLabel::VersQColor(couleurs[8]));
        peintre.drawText(InterieurCase(0, 0).united(InterieurCase(8, 8)), Qt::AlignCenter, QStringLiteral("Pause"));
        return;
    }
    // Les teintes des cases d'abord, les plus légères dessous ; chacune laisse voir le fond.
    struct Teinte {
        uint8_t drapeau;
        Couleur couleur;
        qreal opacite;
    };
    const Teinte teintes[] = {{TeinteUnite, couleursAjoutees.surlignage, 0.14},
                              {TeinteMemeChiffre, couleursAjoutees.surlignage, 0.32},
                              {TeinteConflit, couleursAjoutees.conflit, 0.24},
                              {TeinteRaisonnement, couleursAjoutees.explication, 0.3}};
    std::array<bool, 81> duRaisonnement{};
    for (const auto& [ligne, colonne] : casesRaisonnement)
        duRaisonnement[9 * ligne + colonne] = true;
    for (int i = 0; i < 81; ++i) {
        uint8_t drapeaux = casesMontrees[i].aspect.teintes | (duRaisonnement[i] ? TeinteRaisonnement : 0);
        // Un conflit l'emporte sur la marque du même chiffre : deux teintes mêlées ne se lisent plus.
        if (drapeaux & TeinteConflit)
            drapeaux &= static_cast<uint8_t>(~TeinteMemeChiffre);
        for (const Teinte& t : teintes) {
            if (!(drapeaux & t.drapeau))
                continue;
            QColor couleur = CColorLabel::VersQColor(t.couleur);
            couleur.setAlphaF(t.opacite);
            peintre.fillRect(InterieurCase(i / 9, i % 9), couleur);
        }
    }
    // Les cases où le chiffre choisi peut encore aller : un pointillé dans la case, qui se
    // distingue des teintes pleines et du cadre du curseur.
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing, false);
    QColor pointille = CColorLabel::VersQColor(couleursAjoutees.surlignage);
    pointille.setAlphaF(0.8);
    peintre.setPen(QPen(pointille, 1, Qt::DashLine));
    peintre.setBrush(Qt::NoBrush);
    for (int i = 0; i < 81; ++i) {
        if (casesMontrees[i].aspect.teintes & TeintePossible)
            peintre.drawRect(QRectF(InterieurCase(i / 9, i % 9)).adjusted(3.5, 3.5, -3.5, -3.5));
    }
    peintre.restore();
    if (curseur) {
        // Un cadre dans la case, sous son chiffre, dans la couleur de la palette en évidence.
        const qreal epaisseur = 2;
        peintre.save();
        peintre.setRenderHint(QPainter::Antialiasing, false);
        peintre.setPen(QPen(CColorLabel::VersQColor(couleurs[9]), epaisseur, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRect(QRectF(CadreCurseur(*curseur)).adjusted(epaisseur / 2, epaisseur / 2, -epaisseur / 2, -epaisseur / 2));
        peintre.restore();
    }
    // Les notes : chaque chiffre à sa place d'un pavé 3 × 3, petit, dans la couleur des notes ;
    // ceux dont se sert le raisonnement montré, en gras dans sa couleur, ceux qu'il ôte, barrés.
    std::array<uint16_t, 81> enJeu{}, otes{};
    for (const CandidatMontre& c : candidatsRaisonnement)
        (c.ote ? otes : enJeu)[9 * c.ligne + c.colonne] |= static_cast<uint16_t>(1u << (c.chiffre - 1));
    QFont police(QString::fromStdString(NomPolice));
    police.setPixelSize(13);
    QFont grasse = police;
    grasse.setBold(true);
    const QColor normale = CColorLabel::VersQColor(couleursAjoutees.notes);
    const QColor retrait = CColorLabel::VersQColor(couleursAjoutees.retrait);
    const QColor enJeuCouleur = CColorLabel::VersQColor(couleursAjoutees.explication);
    for (int i = 0; i < 81; ++i) {
        const uint16_t notes = casesMontrees[i].aspect.notes;
        if (notes == 0)
            continue;
        const QRectF interieur = InterieurCase(i / 9, i % 9);
        const QSizeF pave = interieur.size() / 3;
        for (int d = 1; d <= 9; ++d) {
            const uint16_t bit = static_cast<uint16_t>(1u << (d - 1));
            if (!(notes & bit))
                continue;
            const QRectF place(interieur.topLeft() + QPointF((d - 1) % 3 * pave.width(), (d - 1) / 3 * pave.height()), pave);
            const bool ote = otes[i] & bit, enJeuIci = !ote && (enJeu[i] & bit);
            peintre.setFont(ote || enJeuIci ? grasse : police);
            peintre.setPen(ote ? retrait : enJeuIci ? enJeuCouleur : normale);
            peintre.drawText(place, Qt::AlignCenter, QString::number(d));
            if (ote) {
                // Un trait en travers du chiffre, de coin à coin de son pavé.
                peintre.save();
                peintre.setRenderHint(QPainter::Antialiasing, true);
                peintre.setPen(QPen(retrait, 1.6));
                const QRectF trait = place.adjusted(pave.width() * 0.2, pave.height() * 0.2, -pave.width() * 0.2,
                                                    -pave.height() * 0.2);
                peintre.drawLine(trait.bottomLeft(), trait.topRight());
                peintre.restore();
            }
        }
    }
}

void CDlgGrille::PlateauRedimensionne()
{
    // Chaque étiquette à sa place sur le plateau agrandi, son texte à la même échelle.
    auto placer = [this](CColorLabel* etiquette, const disposition::Rect& rect) {
        if (etiquette == nullptr)
            return;
        etiquette->setGeometry(VersZone(EnPixels(rect)));
        etiquette->ChangerEchelle(Echelle());
    };
    for (int i = 0; i < 81; ++i)
        placer(etiquettesCases[i], disposition::RectCase(i / 9, i % 9));
    for (int entree = 0; entree < 11; ++entree)
        placer(etiquettesPalette[entree], disposition::RectPalette(entree));
    placer(etiquetteStatut, disposition::RectStatut);
    // Le panneau de « Pourquoi ? » suit la fenêtre, à sa nouvelle largeur.
    PlacerPanneauRaisonnement();
}

void CDlgGrille::ChargerConfiguration(const std::string& chemin)
{
    const ResultatConfiguration resultat = LireConfiguration(chemin);
    // Pendant le message, le plateau garde ses couleurs : la table change après.
    if (resultat.message)
        Message(*resultat.message);
    couleurs = resultat.couleurs;
    couleursAjoutees = resultat.ajoutees;
}

void CDlgGrille::OnChangerSkin()
{
    ChargerSkin();
}

bool CDlgGrille::event(QEvent* evenement)
{
    if (evenement->type() == EvenementChangerSkin) {
        // Le choix de « Préférences » porte son nom ; un rechargement seul garde le skin en usage.
        if (const auto* changement = dynamic_cast<CEvenementChangerSkin*>(evenement))
            app.nomSkin = changement->nomSkin;
        OnChangerSkin();
        return true;
    }
    if (evenement->type() == EvenementChangerOptions) {
        if (const auto* changement = dynamic_cast<CEvenementChangerOptions*>(evenement))
            AppliquerOptions(changement->options);
        return true;
    }
    return CDlgSkin::event(evenement);
}

void CDlgGrille::keyPressEvent(QKeyEvent* evenement)
{
    EffacerRaisonnement();
    Touche touche;
    switch (evenement->key()) {
    // Une touche tenue ne ferme rien : sa répétition arrive après qu'un premier appui a
    // fermé une boîte, sans que le joueur ait rien demandé à la fenêtre.
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!evenement->isAutoRepeat())
            OnOK();
        return;
    case Qt::Key_Escape:
        if (!evenement->isAutoRepeat())
            OnCancel();
        return;
    case Qt::Key_Up: touche.genre = ToucheJeu::Haut; break;
    case Qt::Key_Down: touche.genre = ToucheJeu::Bas; break;
    case Qt::Key_Left: touche.genre = ToucheJeu::Gauche; break;
    case Qt::Key_Right: touche.genre = ToucheJeu::Droite; break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: touche.genre = ToucheJeu::Gomme; break;
    default:
        // Le caractère tapé, tel que la disposition du clavier le donne (chiffres du pavé
        // numérique, rangée d'un clavier français…) ; Alt reste aux raccourcis. Avec Ctrl, le
        // texte n'est plus sûr : la touche dit le caractère qu'elle porte (« & » ou « 1 »), et
        // un chiffre devient une note ; le reste va aux raccourcis.
        if (!(evenement->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            touche = ToucheDuTexte(evenement->text().toStdString());
        else if (!(evenement->modifiers() & Qt::AltModifier) && evenement->key() > 0x20 && evenement->key() <= 0xFF)
            touche = NoteDuTexte(QString(QChar(evenement->key())).toLower().toStdString());
    }
    if (touche.genre == ToucheJeu::Aucune) {
        CDlgSkin::keyPressEvent(evenement);
        return;
    }
    partie.Appuyer(touche);
}

disposition::Zone CDlgGrille::ZoneCliquee(const QPoint& point)
{
    EffacerRaisonnement();
    const QPoint surPlateau = VersPlateau(point);
    return disposition::ZoneClic(surPlateau.x(), surPlateau.y());
}

void CDlgGrille::OnLButtonDown(const QPoint& point)
{
    const disposition::Zone zone = ZoneCliquee(point);
    if (zone.type == disposition::Zone::Case)
        partie.CliquerCase(zone.ligne, zone.colonne);
    else if (zone.type == disposition::Zone::Palette)
        partie.CliquerPalette(zone.entree);
    // Chaque clic, qu'il ait changé la grille ou non, peut ensuite déplacer la fenêtre.
    CDlgSkin::OnLButtonDown(point);
}

void CDlgGrille::OnRButtonDown(const QPoint& point)
{
    if (const disposition::Zone zone = ZoneCliquee(point); zone.type == disposition::Zone::Case)
        partie.CliquerCaseDroit(zone.ligne, zone.colonne);
}

void CDlgGrille::OnCreer()
{
    // Qt coche l'entrée d'elle-même au clic : la coche ne suit que le mode réel.
    if (actionCreer != nullptr && actionCreer->isCheckable())
        actionCreer->setChecked(partie.ModeCreation());
    partie.OnCreer();
}

int CDlgGrille::ExecuterBoite(QDialog& boite)
{
    return boite.exec();
}

void CDlgGrille::OnAPropos()
{
    CDlgAPropos apropos(Icone(), this);
    ExecuterBoite(apropos);
}

void CDlgGrille::OnPreferences()
{
    // Un skin choisi revient par l'événement que la boîte poste, traité une fois fermée.
    CDlgPref preferences(app.nomSkin, app.repertoireSkins, this, options);
    ExecuterBoite(preferences);
}

void CDlgGrille::OnAide()
{
    bool ouverte = false;
    {
        CAttente attente(*this);
        QFile page(QString::fromStdString(cheminAide));
        if (page.open(QIODevice::ReadOnly) && page.size() > 0) {
            page.close();
            if (visionneuseAide == nullptr) {
                // Fenêtre à part, non modale, comme une aide qu'on garde ouverte en jouant.
                auto* fenetre = new QDialog(this);
                fenetre->setWindowTitle(QStringLiteral("Aide de Novemia"));
                fenetre->setWindowFlags(Qt::Window);
                auto* colonne = new QVBoxLayout(fenetre);
                colonne->setContentsMargins(0, 0, 0, 0);
                visionneuseAide = new QTextBrowser(fenetre);
                visionneuseAide->setOpenExternalLinks(true);
                colonne->addWidget(visionneuseAide);
                fenetre->resize(760, 600);
            }
            visionneuseAide->setSource(QUrl::fromLocalFile(QString::fromStdString(cheminAide)));
            // La table des matières est en tête de la page.
            visionneuseAide->scrollToAnchor(QStringLiteral("sommaire"));
            QWidget* fenetre = visionneuseAide->window();
            fenetre->show();
            fenetre->raise();
            fenetre->activateWindow();
            ouverte = !visionneuseAide->document()->isEmpty();
        }
    }
    if (!ouverte)
        Message("Failed to launch help.");
}

void CDlgGrille::MontrerCase(int ligne, int colonne, int32_t chiffre, OrigineCase origine)
{
    if (ligne < 0 || ligne > 8 || colonne < 0 || colonne > 8)
        return;
    CaseMontree& montree = casesMontrees[9 * ligne + colonne];
    montree.chiffre = chiffre;
    montree.origine = origine;
    AppliquerCase(9 * ligne + colonne);
}

void CDlgGrille::MontrerAspect(int ligne, int colonne, const AspectCase& aspect)
{
    if (ligne < 0 || ligne > 8 || colonne < 0 || colonne > 8)
        return;
    casesMontrees[9 * ligne + colonne].aspect = aspect;
    AppliquerCase(9 * ligne + colonne);
    // Teintes et notes sont peintes sur le fond, sous l'étiquette.
    ZoneClient()->update(ARepeindre(InterieurCase(ligne, colonne)));
}

void CDlgGrille::AppliquerCase(int i)
{
    // En pause, le plateau ne montre rien de la grille.
    const CaseMontree montree = enPause ? CaseMontree{} : casesMontrees[i];
    const bool enConflit = montree.aspect.teintes & TeinteConflit;
    const auto indice = static_cast<size_t>(montree.origine);
    const Couleur couleur = enConflit ? couleursAjoutees.conflit : indice < 8 ? couleurs[indice] : couleurs[Vide];
    CColorLabel* etiquette = etiquettesCases[i];
    etiquette->ChangerCouleurTexte(couleur, true);
    // Une case vide porte toujours une espace, jamais un texte vide.
    etiquette->ChangerTexte(montree.chiffre >= 1 && montree.chiffre <= 9 ? std::to_string(montree.chiffre)
                                                                          : std::string(" "),
                            true);
    etiquette->ChangerNomAccessible(
        DecrireCase(i / 9, i % 9, montree.chiffre, montree.origine, montree.aspect.notes, enConflit));
}

void CDlgGrille::MontrerCurseur(int ligne, int colonne)
{
    if (ligne < 0 || ligne > 8 || colonne < 0 || colonne > 8)
        return;
    // Le cadre quitte l'ancienne case pour la nouvelle ; la case devient l'objet qui a le
    // focus pour les lecteurs d'écran. Sur la même case, rien ne change : un lecteur d'écran
    // n'entend pas le curseur partir et revenir.
    if (curseur == std::pair{ligne, colonne})
        return;
    if (curseur) {
        ZoneClient()->update(ARepeindre(CadreCurseur(*curseur)));
        etiquettesCases[9 * curseur->first + curseur->second]->ChangerFocusClavier(false);
    }
    curseur = {ligne, colonne};
    ZoneClient()->update(ARepeindre(CadreCurseur(*curseur)));
    etiquettesCases[9 * ligne + colonne]->ChangerFocusClavier(true);
}

void CDlgGrille::MontrerPalette(int entree, bool enEvidence)
{
    if (entree < 0 || entree > 10)
        return;
    etiquettesPalette[entree]->ChangerCouleurTexte(enEvidence ? couleurs[9] : couleurs[8], false);
    etiquettesPalette[entree]->ChangerGras(enEvidence, true);
    etiquettesPalette[entree]->ChangerCoche(enEvidence);
}

void CDlgGrille::MontrerChiffresFinis(uint16_t finis)
{
    chiffresFinis = finis;
    for (int entree = 0; entree < 9; ++entree) {
        const bool fini = finis >> entree & 1;
        etiquettesPalette[entree]->ChangerBarre(fini, true);
        etiquettesPalette[entree]->ChangerNomAccessible("Chiffre " + std::to_string(entree + 1) +
                                                        (fini ? ", posé neuf fois" : ""));
    }
}

void CDlgGrille::MontrerPause(bool pause)
{
    enPause = pause;
    for (int i = 0; i < 81; ++i)
        AppliquerCase(i);
    ZoneClient()->update();
    MontrerTemps();
}

void CDlgGrille::ChangerStatut(const std::string& texte)
{
    etiquetteStatut->ChangerTexte(texte, true);
}

void CDlgGrille::MontrerRaisonnement(const std::vector<std::string>& phrases,
                                     const std::vector<std::pair<int, int>>& cases,
                                     const std::vector<CandidatMontre>& candidats)
{
    EffacerRaisonnement();
    if (phrases.empty())
        return;
    casesRaisonnement = cases;
    candidatsRaisonnement = candidats;
    RepeindreRaisonnement();
    QString texte;
    for (const std::string& phrase : phrases)
        texte += (texte.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(phrase);
    // La ligne d'état coupe les longues phrases : le tout reste lisible au survol, dans le
    // panneau, et pour les lecteurs d'écran, qui l'entendent avec la ligne d'état.
    etiquetteStatut->setToolTip(texte);
    const QString dit = etiquetteStatut->text().trimmed() + QStringLiteral(". ") +
                        QString(texte).replace(QLatin1Char('\n'), QLatin1Char(' '));
    etiquetteStatut->ChangerNomAccessible(dit.toStdString());
    // Une seule phrase que la ligne d'état montre en entier n'a pas besoin du panneau.
    if (phrases.size() == 1 && !etiquetteStatut->TexteCoupe())
        return;
    if (panneauRaisonnement == nullptr) {
        // Une bulle à côté de la fenêtre plutôt que dedans : elle ne cache aucune case.
        panneauRaisonnement = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
        panneauRaisonnement->setObjectName(QStringLiteral("raisonnement"));
        panneauRaisonnement->setWordWrap(true);
        panneauRaisonnement->setTextFormat(Qt::PlainText);
        panneauRaisonnement->setMargin(6);
        panneauRaisonnement->setFrameShape(QFrame::Box);
    }
    panneauRaisonnement->setText(texte);
    panneauRaisonnement->show();
    PlacerPanneauRaisonnement();
}

void CDlgGrille::PlacerPanneauRaisonnement()
{
    if (panneauRaisonnement == nullptr || !panneauRaisonnement->isVisible())
        return;
    // Hors du plateau autant que possible : sous la fenêtre, de sa largeur ; sinon au-dessus ;
    // sinon à sa droite ou à sa gauche ; sinon, la fenêtre remplissant l'écran, dans une marge
    // du plateau agrandi ; sur le bas du plateau seulement quand il n'y a de place nulle part.
    const QRect fenetre = frameGeometry();
    const QRect ecran = screen() != nullptr ? screen()->availableGeometry() : QRect();
    const QRect zone(ZoneClient()->mapToGlobal(QPoint(0, 0)), ZoneClient()->size());
    const QRect plateau =
        VersZone(QRect(0, 0, disposition::LargeurClient, disposition::HauteurClient)).translated(zone.topLeft());
    // Une place : le coin gauche, en haut ou en bas (`parLeBas`) du panneau, et sa largeur.
    struct Place {
        int x, y, largeur;
        bool parLeBas;
    };
    const int aDroite = std::min(ecran.right() - fenetre.right(), fenetre.width());
    const int aGauche = std::min(fenetre.left() - ecran.left(), fenetre.width());
    const Place places[] = {
        {fenetre.left(), fenetre.bottom() + 1, fenetre.width(), false},
        {fenetre.left(), fenetre.top() - 1, fenetre.width(), true},
        {fenetre.right() + 1, fenetre.top(), aDroite, false},
        {fenetre.left() - aGauche, fenetre.top(), aGauche, false},
        {plateau.right() + 1, zone.top(), zone.right() - plateau.right(), false},
        {zone.left(), zone.top(), plateau.left() - zone.left(), false},
        {zone.left(), zone.bottom(), zone.width(), true},  // sur le bas du plateau
    };
    constexpr int LargeurMin = 200;  // plus étroit, les phrases ne se lisent plus
    for (const Place& p : places) {
        const bool derniere = &p == &places[std::size(places) - 1];
        if (p.largeur < LargeurMin && !derniere)
            continue;
        const int hauteur = panneauRaisonnement->heightForWidth(p.largeur);
        QRect r(p.x, p.parLeBas ? p.y - hauteur + 1 : p.y, p.largeur, hauteur);
        // Sans écran connu, sous la fenêtre ; sinon, là où il tient en hauteur (les places à
        // côté de la fenêtre tiennent en largeur par construction), la dernière ramenée sur
        // l'écran quand la fenêtre en déborde.
        if (derniere && !ecran.isEmpty() && r.bottom() > ecran.bottom())
            r.moveBottom(ecran.bottom());
        if (derniere || ecran.isEmpty() || (r.top() >= ecran.top() && r.bottom() <= ecran.bottom())) {
            panneauRaisonnement->setGeometry(r);
            return;
        }
    }
}

void CDlgGrille::moveEvent(QMoveEvent* evenement)
{
    CDlgSkin::moveEvent(evenement);
    PlacerPanneauRaisonnement();
}

void CDlgGrille::RepeindreRaisonnement()
{
    for (const auto& [ligne, colonne] : casesRaisonnement)
        ZoneClient()->update(ARepeindre(InterieurCase(ligne, colonne)));
    for (const CandidatMontre& c : candidatsRaisonnement)
        ZoneClient()->update(ARepeindre(InterieurCase(c.ligne, c.colonne)));
}

void CDlgGrille::changeEvent(QEvent* evenement)
{
    CDlgSkin::changeEvent(evenement);
    if (evenement->type() == QEvent::ActivationChange || evenement->type() == QEvent::WindowStateChange)
        SignalerActivite();
    if (evenement->type() != QEvent::WindowStateChange || panneauRaisonnement == nullptr)
        return;
    // Une bulle de premier niveau ne suit pas la fenêtre dans la barre des tâches : elle se
    // cache quand la fenêtre est réduite, et revient à sa place quand la fenêtre revient.
    if (isMinimized() && panneauRaisonnement->isVisible()) {
        panneauRaisonnement->hide();
        panneauCacheAvecLaFenetre = true;
    } else if (!isMinimized() && panneauCacheAvecLaFenetre) {
        panneauCacheAvecLaFenetre = false;
        panneauRaisonnement->show();
        PlacerPanneauRaisonnement();
    }
}

void CDlgGrille::EffacerRaisonnement()
{
    panneauCacheAvecLaFenetre = false;
    if (panneauRaisonnement != nullptr)
        panneauRaisonnement->hide();
    if (casesRaisonnement.empty() && candidatsRaisonnement.empty() && etiquetteStatut->toolTip().isEmpty())
        return;
    RepeindreRaisonnement();
    casesRaisonnement.clear();
    candidatsRaisonnement.clear();
    etiquetteStatut->setToolTip({});
    etiquetteStatut->ChangerNomAccessible({});
}

void CDlgGrille::Message(const std::string& texte)
{
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("Novemia"), QString::fromStdString(texte),
                      QMessageBox::Ok, this);
    // Un chemin qui contient « <b> » ne doit pas passer pour du HTML.
    boite.setTextFormat(Qt::PlainText);
    boite.exec();
}

namespace {

// Les répétitions d'une touche tenue ne répondent pas à une question : elles suivent un
// appui qui a servi ailleurs (fermer la boîte d'avant), pas une réponse du joueur.
class CSansRepetition : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if ((evenement->type() == QEvent::KeyPress || evenement->type() == QEvent::ShortcutOverride) &&
            static_cast<QKeyEvent*>(evenement)->isAutoRepeat())
            return true;
        return QObject::eventFilter(objet, evenement);
    }
};

}  // namespace

bool CDlgGrille::MontrerStatistiques(const std::vector<std::pair<std::string, StatsCategorie>>& lignes)
{
    QDialog boite(this);
    boite.setObjectName(QStringLiteral("statistiques"));
    boite.setWindowTitle(QStringLiteral("Statistiques"));
    auto* grille = new QGridLayout(&boite);
    grille->setHorizontalSpacing(16);
    const QStringList titres{QString(), QStringLiteral("Commencées"), QStringLiteral("Finies"),
                             QStringLiteral("Sans aide"), QStringLiteral("Meilleur temps"),
                             QStringLiteral("Temps moyen")};
    for (int colonne = 0; colonne < titres.size(); ++colonne)
        grille->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(titres[colonne]), &boite), 0, colonne);
    const QString aucun = QStringLiteral("–");
    for (int rang = 0; rang < static_cast<int>(lignes.size()); ++rang) {
        const auto& [nom, s] = lignes[static_cast<std::size_t>(rang)];
        const QString textes[] = {
            QString::fromStdString(nom), QString::number(s.commencees), QString::number(s.finies),
            QString::number(s.finiesSansAide),
            s.meilleurMs < 0 ? aucun : QString::fromStdString(TexteDuree(s.meilleurMs)),
            s.finiesSansAide == 0 ? aucun : QString::fromStdString(TexteDuree(s.totalSansAideMs / s.finiesSansAide))};
        for (int colonne = 0; colonne < static_cast<int>(std::size(textes)); ++colonne) {
            auto* etiquette = new QLabel(textes[colonne], &boite);
            etiquette->setTextFormat(Qt::PlainText);
            etiquette->setAlignment(colonne == 0 ? Qt::AlignLeft : Qt::AlignRight);
            grille->addWidget(etiquette, rang + 1, colonne);
        }
    }
    auto* note = new QLabel(QStringLiteral("Temps des grilles finies sans « Coup de main » ni « Résoudre »."), &boite);
    grille->addWidget(note, static_cast<int>(lignes.size()) + 1, 0, 1, static_cast<int>(titres.size()));
    auto* boutons = new QDialogButtonBox(&boite);
    boutons->addButton(QStringLiteral("&Fermer"), QDialogButtonBox::RejectRole)->setDefault(true);
    QPushButton* effacer = boutons->addButton(QStringLiteral("&Remettre à zéro…"), QDialogButtonBox::ResetRole);
    bool remettre = false;
    connect(effacer, &QPushButton::clicked, &boite, [&] {
        remettre = true;
        boite.accept();
    });
    connect(boutons, &QDialogButtonBox::rejected, &boite, &QDialog::reject);
    grille->addWidget(boutons, static_cast<int>(lignes.size()) + 2, 0, 1, static_cast<int>(titres.size()));
    ExecuterBoite(boite);
    return remettre;
}

bool CDlgGrille::Question(const std::string& texte, BoutonParDefaut parDefaut)
{
    QMessageBox boite(QMessageBox::Warning, QStringLiteral("Alerte"), QString::fromStdString(texte),
                      QMessageBox::NoButton, this);
    boite.setTextFormat(Qt::PlainText);
    QPushButton* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    boite.setDefaultButton(parDefaut == BoutonParDefaut::Oui ? oui : non);
    boite.setEscapeButton(non);
    // Le filtre voit les touches de tous les enfants de la boîte (boutons compris).
    CSansRepetition sansRepetition;
    qApp->installEventFilter(&sansRepetition);
    boite.exec();
    qApp->removeEventFilter(&sansRepetition);
    return boite.clickedButton() == oui;
}

namespace {

std::optional<std::string> ChoisirFichier(QWidget* parent, bool ouvrir)
{
    QFileDialog boite(parent, ouvrir ? QStringLiteral("Ouvrir") : QStringLiteral("Enregistrer sous"));
    boite.setOption(QFileDialog::DontUseNativeDialog);
    boite.setNameFilter(QStringLiteral("Grille Sudoku (*.sdu)"));
    boite.setDefaultSuffix(QStringLiteral("sdu"));
    if (ouvrir) {
        boite.setAcceptMode(QFileDialog::AcceptOpen);
        boite.setFileMode(QFileDialog::ExistingFile);
    } else {
        // Qt demande confirmation avant de remplacer un fichier existant.
        boite.setAcceptMode(QFileDialog::AcceptSave);
        boite.setFileMode(QFileDialog::AnyFile);
    }
    if (boite.exec() != QDialog::Accepted || boite.selectedFiles().isEmpty())
        return std::nullopt;
    return boite.selectedFiles().constFirst().toStdString();
}

}  // namespace

std::optional<std::string> CDlgGrille::ChoisirFichierAOuvrir()
{
    return ChoisirFichier(this, true);
}

std::optional<std::string> CDlgGrille::ChoisirFichierAEnregistrer()
{
    return ChoisirFichier(this, false);
}

void CDlgGrille::CurseurAttente(bool actif)
{
    if (actif)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

std::optional<bool> CDlgGrille::ChoisirChiffresImprimes()
{
    QMessageBox boite(QMessageBox::Question, QStringLiteral("Imprimer"),
                      QStringLiteral("Imprimer aussi les chiffres posés, ou seulement les indices ?"),
                      QMessageBox::NoButton, this);
    QPushButton* avec = boite.addButton(QStringLiteral("&Avec les chiffres posés"), QMessageBox::YesRole);
    QPushButton* indices = boite.addButton(QStringLiteral("&Indices seuls"), QMessageBox::NoRole);
    boite.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    boite.setDefaultButton(avec);
    ExecuterBoite(boite);
    if (boite.clickedButton() != avec && boite.clickedButton() != indices)
        return std::nullopt;
    return boite.clickedButton() == avec;
}

std::optional<DemandeGrilles> CDlgGrille::ChoisirGrillesAImprimer()
{
    CDlgGrillesAImprimer boite(demandeGrilles, this);
    if (ExecuterBoite(boite) != QDialog::Accepted)
        return std::nullopt;
    demandeGrilles = boite.Demande();
    return demandeGrilles;
}

Impression CDlgGrille::Imprimer(std::span<const GrilleImprimee> grilles, int parPage)
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(QStringLiteral("Novemia"));
    imprimante.setCreator(QStringLiteral("Novemia"));
    QPrintDialog boite(&imprimante, this);
    boite.setWindowTitle(QStringLiteral("Imprimer"));
    boite.setMinMax(1, (static_cast<int>(grilles.size()) + parPage - 1) / parPage);
    if (ExecuterBoite(boite) != QDialog::Accepted)
        return Impression::Annulee;
    CAttente attente(*this);
    return ImprimerPages(imprimante, grilles, parPage) ? Impression::Faite : Impression::Echouee;
}

void CDlgGrille::EtatMenuCreation(bool modeCreation)
{
    if (actionCreer != nullptr) {
        // Cochable seulement en mode création : hors de lui, pas de case vide dessinée.
        actionCreer->setCheckable(modeCreation);
        actionCreer->setChecked(modeCreation);
    }
    for (QAction* action : griseesEnCreation)
        action->setEnabled(!modeCreation);
}

CColorLabel* CDlgGrille::Etiquette(int id) const
{
    for (CColorLabel* etiquette : etiquettesCases)
        if (etiquette->property("id").toInt() == id)
            return etiquette;
    for (CColorLabel* etiquette : etiquettesPalette)
        if (etiquette->property("id").toInt() == id)
            return etiquette;
    return etiquetteStatut->property("id").toInt() == id ? etiquetteStatut : nullptr;
}

QAction* CDlgGrille::Action(int id) const
{
    const QList<QAction*> actions = findChildren<QAction*>();
    for (QAction* action : actions)
        if (action->data().toInt() == id && !action->menu())
            return action;
    return nullptr;
}
