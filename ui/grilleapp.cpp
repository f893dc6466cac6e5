#include "ui/grilleapp.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

#include "skin/registre.h"
#include "ui/dlggrille.h"
#include "ui/polices.h"

CGrilleApp::CGrilleApp() = default;
CGrilleApp::~CGrilleApp() = default;

bool ChargerTraductionQt(QTranslator& traduction)
{
    // Sous Windows, elle voyage dans le programme (ressource « :/traductions »).
    if (!traduction.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !traduction.load(QStringLiteral("qtbase_fr"), QStringLiteral(":/traductions")))
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
    PreparerEmplacementsReglages(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
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
