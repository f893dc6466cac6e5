#include "ui/dlggrille.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "game/explication.h"
#include "skin/recherchefichiers.h"
#include "skin/registre.h"
#include "ui/colorlabel.h"
#include "ui/dlgapropos.h"
#include "ui/dlgpref.h"
#include "disposition/disposition.h"
#include "ui/grilleapp.h"
#include "ui/icone.h"
#include "ui/menu.h"

namespace {

const std::string NomPolice = "Times New Roman";

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

CDlgGrille::CDlgGrille(CGrilleApp& application, QWidget* parent)
    : CDlgSkin(disposition::LargeurClient, disposition::HauteurClient, parent),
      app(application),
      partie(*this),
      icone(IconeApplication())
{
    setWindowTitle(QStringLiteral("Novemia"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
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
        connect(action, &QAction::triggered, this,
                [this, gestionnaire = entree.gestionnaire] { gestionnaire(*this); });
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
    CDlgSkin::setVisible(visible);
}

void CDlgGrille::OnInitDialog()
{
    if (initialisee)
        return;
    initialisee = true;

    setWindowIcon(icone);
    CreerMenu();

    // Les réglages deviennent ici les textes que le programme garde : une erreur de lecture
    // se retrouve telle quelle dans les chemins et le message du skin introuvable.
    app.repertoireAppli = TexteReglage(DossierResolu(LireReglage("s2gAppDir")));
    app.repertoireSkins = app.repertoireAppli + "/skin";
    app.nomSkin = LireRegistre("Skin");
    ChargerSkin();

    partie.grille.niveauCourant = 0;
    partie.modeHypothese = 0;
    partie.chiffreSelectionne = -1;
    partie.grilleEnCours = false;
    partie.modeCreation = false;
    partie.grille.traceActive = false;

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

    // Le seul ensemencement du programme : les 32 bits bas de l'heure.
    partie.hasard.Semer(static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)) & 0xFFFFFFFFu));
}

void CDlgGrille::ChargerSkin()
{
    ChargerFond(FichierDuSkin(app.repertoireSkins, app.nomSkin, "bmp"),
                FichierDuSkin(app.repertoireSkins, app.nomSkin + SuffixeDouble, "bmp"));
    ChargerConfiguration(FichierDuSkin(app.repertoireSkins, app.nomSkin, "cfg"));
    partie.AfficherGrille();
    etiquetteStatut->ChangerCouleurTexte(couleurs[10], true);
    const int selection = partie.chiffreSelectionne == 0 ? 9 : partie.chiffreSelectionne - 1;
    for (int entree = 0; entree < 10; ++entree)
        etiquettesPalette[entree]->ChangerCouleurTexte(entree == selection ? couleurs[9] : couleurs[8], true);
    etiquettesPalette[10]->ChangerCouleurTexte(partie.modeHypothese != 0 ? couleurs[9] : couleurs[8], true);
}

QRect CDlgGrille::CadreCurseur(std::pair<int, int> position) const
{
    return EnPixels(disposition::RectCase(position.first, position.second)).adjusted(2, 2, -2, -2);
}

void CDlgGrille::PeindreSurLeFond(QPainter& peintre)
{
    if (!curseur)
        return;
    // Un cadre dans la case, sous son chiffre, dans la couleur de la palette en évidence.
    const qreal epaisseur = 2;
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing, false);
    peintre.setPen(QPen(CColorLabel::VersQColor(couleurs[9]), epaisseur, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(QRectF(CadreCurseur(*curseur)).adjusted(epaisseur / 2, epaisseur / 2, -epaisseur / 2, -epaisseur / 2));
    peintre.restore();
}

int CDlgGrille::ChargerConfiguration(std::string chemin)
{
    ResultatConfiguration resultat = LireConfiguration(chemin);
    // Pendant le message, le plateau garde ses couleurs : la table change après.
    if (resultat.message)
        Message(*resultat.message);
    couleurs = resultat.couleurs;
    return resultat.resultat;
}

void CDlgGrille::OnChangerSkin()
{
    ChargerSkin();
}

bool CDlgGrille::event(QEvent* evenement)
{
    if (evenement->type() == EvenementChangerSkin) {
        OnChangerSkin();
        return true;
    }
    return CDlgSkin::event(evenement);
}

void CDlgGrille::keyPressEvent(QKeyEvent* evenement)
{
    Touche touche;
    switch (evenement->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        return;
    case Qt::Key_Escape:
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
        // numérique, rangée d'un clavier français…) ; Ctrl et Alt restent aux raccourcis.
        if (!(evenement->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            touche = ToucheDuTexte(evenement->text().toStdString());
    }
    if (touche.genre == ToucheJeu::Aucune) {
        CDlgSkin::keyPressEvent(evenement);
        return;
    }
    partie.Appuyer(touche);
}

void CDlgGrille::OnLButtonDown(const QPoint& point)
{
    const disposition::Zone zone = disposition::ZoneClic(point.x(), point.y());
    if (zone.type == disposition::Zone::Case)
        partie.CliquerCase(zone.ligne, zone.colonne);
    else if (zone.type == disposition::Zone::Palette)
        partie.CliquerPalette(zone.entree);
    // Chaque clic, qu'il ait changé la grille ou non, peut ensuite déplacer la fenêtre.
    CDlgSkin::OnLButtonDown(point);
}

void CDlgGrille::OnCreer()
{
    // Qt coche l'entrée d'elle-même au clic : la coche ne suit que le mode réel.
    if (actionCreer != nullptr && actionCreer->isCheckable())
        actionCreer->setChecked(partie.modeCreation);
    partie.OnCreer();
}

int CDlgGrille::ExecuterBoite(QDialog& boite)
{
    return boite.exec();
}

void CDlgGrille::OnAPropos()
{
    CDlgAPropos apropos(icone, this);
    ExecuterBoite(apropos);
}

void CDlgGrille::OnPreferences()
{
    CDlgPref preferences(app.nomSkin, app.repertoireSkins, this);
    ExecuterBoite(preferences);
    // Le rechargement posté par la boîte ne passe qu'ensuite, par la boucle d'événements :
    // il trouve déjà le nom retenu.
    app.nomSkin = preferences.SkinRetenu();
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

void CDlgGrille::MontrerCase(int ligne, int colonne, const std::string& texte, OrigineCase origine)
{
    if (ligne < 0 || ligne > 8 || colonne < 0 || colonne > 8)
        return;
    const auto indice = static_cast<size_t>(origine);
    const Couleur couleur = indice < 8 ? couleurs[indice] : couleurs[Vide];
    CColorLabel* etiquette = etiquettesCases[9 * ligne + colonne];
    etiquette->ChangerCouleurTexte(couleur, true);
    etiquette->ChangerTexte(texte, true);
    etiquette->ChangerNomAccessible(DecrireCase(ligne, colonne, std::atoi(texte.c_str()), origine));
}

void CDlgGrille::MontrerCurseur(int ligne, int colonne)
{
    if (ligne < 0 || ligne > 8 || colonne < 0 || colonne > 8)
        return;
    // Le cadre quitte l'ancienne case pour la nouvelle ; la case devient l'objet qui a le
    // focus pour les lecteurs d'écran.
    if (curseur) {
        ZoneClient()->update(CadreCurseur(*curseur));
        etiquettesCases[9 * curseur->first + curseur->second]->ChangerFocusClavier(false);
    }
    curseur = {ligne, colonne};
    ZoneClient()->update(CadreCurseur(*curseur));
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

void CDlgGrille::ChangerStatut(const std::string& texte)
{
    etiquetteStatut->ChangerTexte(texte, true);
}

void CDlgGrille::Message(const std::string& texte)
{
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("Novemia"), QString::fromStdString(texte),
                      QMessageBox::Ok, this);
    // Un chemin qui contient « <b> » ne doit pas passer pour du HTML.
    boite.setTextFormat(Qt::PlainText);
    boite.exec();
}

bool CDlgGrille::Question(const std::string& texte)
{
    QMessageBox boite(QMessageBox::Warning, QStringLiteral("Alerte"), QString::fromStdString(texte),
                      QMessageBox::NoButton, this);
    boite.setTextFormat(Qt::PlainText);
    QPushButton* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    boite.setDefaultButton(oui);
    boite.setEscapeButton(non);
    boite.exec();
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

void CDlgGrille::EtatMenuCreation(bool modeCreation)
{
    if (actionCreer != nullptr) {
        // Cochable seulement en mode création : hors de lui, pas de case vide dessinée.
        actionCreer->setCheckable(modeCreation);
        actionCreer->setChecked(modeCreation);
    }
    if (menuGrille == nullptr)
        return;
    const QList<QAction*> actions = menuGrille->actions();
    for (int position : PositionsGriseesCreation)
        if (position < actions.size())
            actions[position]->setEnabled(!modeCreation);
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
