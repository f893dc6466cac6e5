// Temps de démarrage de la fenêtre : du lancement du processus à la première peinture de la
// fenêtre principale, plateforme "offscreen", médiane de dix lancements ; puis la même chose
// avec une partie gardée à reprendre (notes, historique : « Reprendre la partie au prochain
// lancement »), qui doit rester sous 100 ms.
// Le programme se relance lui-même en enfant (mode « --enfant-demarrage », propre à cette
// mesure) : l'enfant démarre exactement comme le jeu et écrit une ligne à la première peinture,
// qui dit aussi s'il a repris une partie.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "partiegardee.h"
#include "skin/registre.h"
#include "ui/dlggrille.h"
#include "ui/grilleapp.h"

extern char** environ;

namespace {

constexpr const char* ModeEnfant = "--enfant-demarrage";
constexpr const char* Peint = "peint";
constexpr const char* PeintAvecPartie = "peint avec une partie";
std::string cheminProgramme;
std::map<std::string, std::vector<double>> mesures;

// Dans l'enfant : signale la première peinture de la zone client, une fois faite, et si la
// fenêtre montre alors une partie reprise.
class CGuetteur : public QObject {
public:
    explicit CGuetteur(const CDlgGrille& boite) : boite(boite) {}
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::Paint)
            return false;
        static_cast<QWidget*>(objet)->removeEventFilter(this);
        QCoreApplication::sendEvent(objet, evenement);  // la peinture elle-même, d'abord
        std::puts(boite.partie.GrilleEnCours() ? PeintAvecPartie : Peint);
        std::fflush(stdout);
        std::_Exit(0);
    }

private:
    const CDlgGrille& boite;
};

int Enfant(int argc, char** argv)
{
    CGrilleApp application;
    application.Preparer(argc, argv);
    CDlgGrille boite(application);
    CGuetteur guetteur(boite);
    boite.ZoneClient()->installEventFilter(&guetteur);
    // Jamais d'enfant pendu : une boîte inattendue ne bloque pas la mesure.
    QTimer::singleShot(10000, [] { std::_Exit(3); });
    boite.exec();
    return 1;  // jamais peinte
}

// Un dossier d'application avec un skin, et des réglages qui le désignent ; avec
// `partieGardee`, une partie diabolique en cours gardée dans le dossier des données, et
// l'option qui la fait reprendre.
class CInstallation {
public:
    explicit CInstallation(bool partieGardee)
    {
        QDir(dossier.path()).mkpath(QStringLiteral("appli/skin"));
        const QString skins = dossier.filePath(QStringLiteral("appli/skin"));
        QImage fond(480, 341, QImage::Format_RGB32);
        fond.fill(QColor(240, 236, 220));
        fond.save(skins + QStringLiteral("/Mesure.bmp"), "BMP");
        QFile cfg(skins + QStringLiteral("/Mesure.cfg"));
        if (cfg.open(QIODevice::WriteOnly))
            cfg.write("Init=0,0,0\nDeduitOrdi=0,128,0\nHypoOrdi=255,128,0\nCoupDeMain=128,0,128\n"
                      "CoupJoueur=0,0,255\nHypoJoueur=255,0,0\n");
        QDir(dossier.path()).mkpath(QStringLiteral("execution"));
        QFile::setPermissions(dossier.filePath(QStringLiteral("execution")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Activer();
        EcrireRegistre("s2gAppDir", dossier.filePath(QStringLiteral("appli")).toStdString());
        EcrireRegistre("Skin", "Mesure");
        if (!partieGardee)
            return;
        EcrireRegistre("ReprendrePartie", "1");
        GarderPartieDeMesure(dossier.filePath(QStringLiteral("donnees/novemia/partie.novemia")).toStdString());
    }

    // Les enfants lancés ensuite démarrent dans cette installation.
    void Activer() const
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dossier.filePath(QStringLiteral("utilisateur"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dossier.filePath(QStringLiteral("machine"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath(QStringLiteral("donnees"))));
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dossier.filePath(QStringLiteral("execution"))));
        PreparerEmplacementsReglages();
    }

private:
    QTemporaryDir dossier;
};

// Lance l'enfant et rend le temps jusqu'à sa ligne, en secondes (négatif en cas d'échec, ou
// quand la ligne n'est pas `attendue`).
double UnDemarrage(const std::string& attendue)
{
    int tube[2];
    if (pipe(tube) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    std::string mode = ModeEnfant;
    char* arguments[] = {cheminProgramme.data(), mode.data(), nullptr};

    const auto debut = std::chrono::steady_clock::now();
    pid_t enfant = 0;
    const int erreur = posix_spawn(&enfant, cheminProgramme.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(tube[1]);
    if (erreur != 0) {
        close(tube[0]);
        return -1;
    }
    std::string lu;
    char tampon[64];
    ssize_t n = 0;
    while (lu.find('\n') == std::string::npos && (n = read(tube[0], tampon, sizeof tampon)) > 0)
        lu.append(tampon, static_cast<size_t>(n));
    const auto fin = std::chrono::steady_clock::now();
    close(tube[0]);
    int statut = 0;
    waitpid(enfant, &statut, 0);
    if (lu != attendue + "\n")
        return -1;
    return std::chrono::duration<double>(fin - debut).count();
}

void Mesurer(benchmark::State& etat, const CInstallation& installation, const std::string& attendue,
             std::vector<double>& serie)
{
    installation.Activer();
    for (auto _ : etat) {
        const double secondes = UnDemarrage(attendue);
        if (secondes < 0) {
            etat.SkipWithError(("l'enfant n'a pas écrit « " + attendue + " »").c_str());
            break;
        }
        serie.push_back(secondes);
        etat.SetIterationTime(secondes);
    }
}

const std::string SansPartie = "Démarrage jusqu'à la première peinture";
const std::string AvecPartie = "Démarrage avec une partie reprise";

void BM_DemarrageJusquALaPremierePeinture(benchmark::State& etat)
{
    static const CInstallation installation(false);
    Mesurer(etat, installation, Peint, mesures[SansPartie]);
}

void BM_DemarrageAvecUnePartieReprise(benchmark::State& etat)
{
    static const CInstallation installation(true);
    Mesurer(etat, installation, PeintAvecPartie, mesures[AvecPartie]);
}

BENCHMARK(BM_DemarrageJusquALaPremierePeinture)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemarrageAvecUnePartieReprise)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], ModeEnfant) == 0)
        return Enfant(argc, argv);
    char chemin[4096];
    const ssize_t n = readlink("/proc/self/exe", chemin, sizeof chemin - 1);
    cheminProgramme = n > 0 ? std::string(chemin, static_cast<size_t>(n)) : std::string(argv[0]);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const std::pair<const std::string*, double> cibles[] = {{&SansPartie, 0.3}, {&AvecPartie, 0.1}};
    for (const auto& [nom, cible] : cibles) {
        std::vector<double>& serie = mesures[*nom];
        if (serie.empty())
            continue;
        std::sort(serie.begin(), serie.end());
        const size_t m = serie.size();
        const double mediane = m % 2 ? serie[m / 2] : (serie[m / 2 - 1] + serie[m / 2]) / 2;
        std::printf("%s : médiane %.1f ms sur %zu lancements (cible < %.0f ms)%s\n", nom->c_str(), mediane * 1000, m,
                    cible * 1000, mediane < cible ? "" : " — CIBLE MANQUÉE");
    }
    return 0;
}
