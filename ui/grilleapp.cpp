#include "ui/grilleapp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "skin/nomfichier.h"
#include "skin/registre.h"
#include "ui/dlggrille.h"
#include "ui/polices.h"

CGrilleApp::CGrilleApp() = default;
CGrilleApp::~CGrilleApp() = default;

bool ChargerTraductionQt(QTranslator& traduction)
{
    // Sous Windows, elle voyage dans le programme (ressource « :/traductions ») et passe avant
    // tout dossier de Qt ; sous Linux, elle est celle de la machine.
    if (!traduction.load(QStringLiteral("qtbase_fr"), QStringLiteral(":/traductions")) &&
        !traduction.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&traduction);
}

void CGrilleApp::Preparer(int& argc, char** argv)
{
    application = std::make_unique<QApplication>(argc, argv);
    // Le dossier des données (la partie gardée) porte le nom du jeu, quel que soit celui du
    // programme lancé.
    QCoreApplication::setApplicationName(QStringLiteral("novemia"));
    // Pas de nom d'affichage : Qt l'ajouterait aux titres (« Préférences — Novemia »).
    // Les réglages de la machine se trouvent aussi à côté du programme installé.
    PreparerEmplacementsReglages(NomStd(QCoreApplication::applicationDirPath()));
    PreparerPolices();
    traduction = std::make_unique<QTranslator>();
    ChargerTraductionQt(*traduction);
}

int CGrilleApp::Executer(int& argc, char** argv)
{
    Preparer(argc, argv);
    {
        CDlgGrille boite(*this);
        boite.exec();  // le résultat n'est pas regardé
    }
    traduction.reset();
    application.reset();
    return 0;
}
