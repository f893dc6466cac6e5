// Boîte « Préférences » : la liste des skins du dossier, le choix confirmé par OK est
// enregistré et signalé à la fenêtre principale, qui le reprend et recharge le skin.
#include "ui/dlgpref.h"

#include "skin/nomfichier.h"
#include "skin/recherchefichiers.h"
#include "skin/registre.h"
#include "disposition/disposition.h"
#include "ui/identifiants.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

#include <algorithm>

namespace {

// Unités de boîte de dialogue vers pixels, comme la fenêtre principale.
QRect EnPixels(int x, int y, int largeur, int hauteur)
{
    return QRect(disposition::EnPixelsX(x), disposition::EnPixelsY(y), disposition::EnPixelsX(largeur),
                 disposition::EnPixelsY(hauteur));
}

// Ordre de la liste : alphabétique sans égard à la casse, selon la langue du système.
bool Avant(const QString& a, const QString& b)
{
    return QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded()) < 0;
}

}  // namespace

CDlgPref::CDlgPref(const std::string& nomSkin, const std::string& dossierSkins, QWidget* parent,
                   const OptionsJeu& options)
    : QDialog(parent), optionsInitiales(options), skinInitial(nomSkin), repertoireSkins(dossierSkins)
{
    setObjectName(QStringLiteral("CDlgPref"));
    setWindowTitle(QStringLiteral("Préférences"));

    // Les contrôles dans l'ordre de tabulation ; les boutons sous les trois choix de la partie.
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);

    auto* annuler = new QPushButton(QStringLiteral("&Annuler"), this);
    annuler->setObjectName(QString::number(IDCANCEL));

    comboSkin = new QComboBox(this);
    comboSkin->setObjectName(QString::number(IDC_SKIN));
    comboSkin->setEditable(true);
    comboSkin->setInsertPolicy(QComboBox::NoInsert);
    // Taper un nom ne choisit rien : pas de complétion qui sélectionnerait un élément.
    comboSkin->setCompleter(nullptr);
    // La hauteur de 48 unités compte la liste déroulante : le champ garde sa hauteur propre.
    const QRect zoneCombo = EnPixels(29, 7, 145, 48);
    comboSkin->setGeometry(zoneCombo.x(), zoneCombo.y(), zoneCombo.width(),
                           comboSkin->sizeHint().height());
    // Un texte tapé qui vaut un nom de la liste n'en devient pas le choix quand la saisie
    // s'achève (Entrée, Tab, clic ailleurs) : seule la liste choisit.
    QObject::disconnect(comboSkin->lineEdit(), &QLineEdit::editingFinished, comboSkin, nullptr);
    comboSkin->installEventFilter(this);
    comboSkin->lineEdit()->installEventFilter(this);

    auto* etiquette = new QLabel(QStringLiteral("Skin"), this);
    QRect zoneEtiquette = EnPixels(7, 8, 14, 8);
    // La police du système peut être plus large que prévu par la disposition : l'étiquette
    // s'étend au besoin jusqu'au combo, sans le chevaucher.
    const int largeurTexte = etiquette->sizeHint().width();
    zoneEtiquette.setWidth(std::min(std::max(zoneEtiquette.width(), largeurTexte),
                                    zoneCombo.x() - zoneEtiquette.x()));
    zoneEtiquette.setHeight(std::max(zoneEtiquette.height(), etiquette->sizeHint().height()));
    etiquette->setGeometry(zoneEtiquette);
    etiquette->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Sous le choix du skin, à l'aplomb de son étiquette : une case par choix, toutes les
    // 13 unités, ou plus loin si la police l'exige ; chacune à sa taille, la boîte s'élargit
    // au besoin.
    int largeur = EnPixels(0, 0, 186, 0).width();
    int y = EnPixels(0, 25, 0, 0).y();
    auto cocher = [&](const char* texte, bool coche) {
        auto* c = new QCheckBox(QString::fromUtf8(texte), this);
        c->setChecked(coche);
        const int x = EnPixels(7, 0, 0, 0).x();
        c->setGeometry(x, y, c->sizeHint().width(), std::max(EnPixels(0, 0, 0, 10).height(), c->sizeHint().height()));
        largeur = std::max(largeur, c->geometry().right() + 1 + x);
        y = std::max(y + EnPixels(0, 0, 0, 13).height(), c->geometry().bottom() + 2);
        return c;
    };
    caseConflits = cocher("Montrer les &conflits en jouant", options.montrerConflits);
    caseSurligner = cocher("&Surligner la ligne, la colonne et la région", options.surligner);
    caseSurligner->setToolTip(QStringLiteral("Et aussi : les chiffres posés neuf fois, barrés dans la palette ; les "
                                             "cases où le chiffre choisi peut encore aller, en pointillé."));
    caseReprendre = cocher("&Reprendre la partie au prochain lancement", options.reprendrePartie);
    caseChronometre = cocher("Montrer le &temps de jeu", options.chronometre);
    caseFelicitations = cocher("&Féliciter quand la grille est remplie sans faute", options.felicitations);
    // Les boutons gardent leur place en largeur, sous les choix.
    const int yBoutons = std::max(EnPixels(0, 66, 0, 0).y(), y + 2);
    ok->setGeometry(EnPixels(27, 0, 50, 14).translated(0, yBoutons));
    annuler->setGeometry(EnPixels(107, 0, 50, 14).translated(0, yBoutons));
    setFixedSize(largeur, yBoutons + EnPixels(0, 0, 0, 21).height());

    setTabOrder(ok, annuler);
    setTabOrder(annuler, comboSkin);
    setTabOrder(comboSkin, caseConflits);
    setTabOrder(caseConflits, caseSurligner);
    setTabOrder(caseSurligner, caseReprendre);
    setTabOrder(caseReprendre, caseChronometre);
    setTabOrder(caseChronometre, caseFelicitations);

    connect(ok, &QPushButton::clicked, this, &CDlgPref::OnBnClickedOk);
    connect(annuler, &QPushButton::clicked, this, &CDlgPref::reject);
    connect(comboSkin, &QComboBox::activated, this, &CDlgPref::OnCbnSelchangeSkin);

    OnInitDialog();
    ok->setFocus();
}

bool CDlgPref::OnInitDialog()
{
    RemplirListeSkins();
    // Le nom en vigueur dans le champ, aucun élément choisi.
    comboSkin->setCurrentIndex(-1);
    comboSkin->setEditText(QString::fromStdString(skinInitial));
    skinChoisi = skinInitial;
    return true;
}

void CDlgPref::RemplirListeSkins()
{
    comboSkin->clear();
    CRechercheFichiers recherche;
    recherche.DefinirDossier(repertoireSkins);
    recherche.Chercher("*.bmp");
    for (const std::string& chemin : recherche.fichiers) {
        const std::size_t separateur = chemin.find_last_of("/\\");
        std::string nom = separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
        // Sans l'extension ".bmp" ; un fichier nommé ".bmp" n'a pas de nom de skin.
        if (nom.size() <= 4) continue;
        nom.resize(nom.size() - 4);
        if (nom.ends_with(SuffixeDouble)) continue;
        const QString texte = NomQt(nom);
        // Insertion à sa place, après les noms égaux déjà présents.
        int place = comboSkin->count();
        while (place > 0 && Avant(texte, comboSkin->itemText(place - 1))) --place;
        comboSkin->insertItem(place, texte);
    }
}

void CDlgPref::OnCbnSelchangeSkin(int index)
{
    if (index < 0) return;
    skinChoisi = comboSkin->itemText(index).toStdString();
}

OptionsJeu CDlgPref::OptionsCochees() const
{
    return {caseConflits->isChecked(), caseSurligner->isChecked(), caseReprendre->isChecked(),
            caseChronometre->isChecked(), caseFelicitations->isChecked()};
}

void CDlgPref::OnBnClickedOk()
{
    if (skinChoisi != skinInitial) {
        if (parentWidget() != nullptr) {
            QCoreApplication::postEvent(parentWidget(), new CEvenementChangerSkin(skinChoisi));
        }
        // Un échec d'écriture n'empêche pas le changement pour cette partie.
        EcrireRegistre("Skin", skinChoisi);
    }
    const OptionsJeu choisies = OptionsCochees();
    if (choisies != optionsInitiales) {
        if (parentWidget() != nullptr) {
            QCoreApplication::postEvent(parentWidget(), new CEvenementChangerOptions(choisies));
        }
        EcrireOptionsJeu(choisies, optionsInitiales);
    }
    accept();
}

bool CDlgPref::eventFilter(QObject* objet, QEvent* evenement)
{
    if ((objet == comboSkin || objet == comboSkin->lineEdit()) && evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            OnBnClickedOk();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
