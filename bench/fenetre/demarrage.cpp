// Temps de démarrage de la fenêtre : du lancement du processus à la première peinture de la
// fenêtre principale, plateforme "offscreen", médiane de dix lancements.
// Le programme se relance lui-même en enfant (mode « --enfant-demarrage », propre à cette
// mesure) : l'enfant démarre exactement comme le jeu et écrit une ligne à la première peinture.
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
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "skin/registre.h"
#include "ui/dlggrille.h"
#include "ui/grilleapp.h"

extern char** environ;

namespace {

constexpr const char* ModeEnfant = "--enfant-demarrage";
std::string cheminProgramme;
std::vector<double> mesures;

// Dans l'enfant : signale la première peinture de la zone client, une fois faite.
class CGuetteur : public QObject {
public:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::Paint)
            return false;
        static_cast<QWidget*>(objet)->removeEventFilter(this);
        QCoreApplication::sendEvent(objet, evenement);  // la peinture elle-même, d'abord
        std::fputs("peint\n", stdout);
        std::fflush(stdout);
        std::_Exit(0);
    }
};

int Enfant(int argc, char** argv)
{
    CGrilleApp application;
    application.Preparer(argc, argv);
    CDlgGrille boite(application);
    CGuetteur guetteur;
    boite.ZoneClient()->installEventFilter(&guetteur);
    // Jamais d'enfant pendu : une boîte inattendue ne bloque pas la mesure.
    QTimer::singleShot(10000, [] { std::_Exit(3); });
    boite.exec();
    return 1;  // jamais peinte
}

// Un dossier d'application avec un skin, et des réglages qui le désignent.
class CInstallation {
public:
    CInstallation()
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
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dossier.filePath(QStringLiteral("utilisateur"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dossier.filePath(QStringLiteral("machine"))));
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QDir(dossier.path()).mkpath(QStringLiteral("execution"));
        QFile::setPermissions(dossier.filePath(QStringLiteral("execution")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dossier.filePath(QStringLiteral("execution"))));
        PreparerEmplacementsReglages();
        EcrireRegistre("s2gAppDir", dossier.filePath(QStringLiteral("appli")).toStdString());
        EcrireRegistre("Skin", "Mesure");
    }

private:
    QTemporaryDir dossier;
};

// Lance l'enfant et rend le temps jusqu'à sa ligne, en secondes (négatif en cas d'échec).
double UnDemarrage()
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
    while (lu.find("peint\n") == std::string::npos && (n = read(tube[0], tampon, sizeof tampon)) > 0)
        lu.append(tampon, static_cast<size_t>(n));
    const auto fin = std::chrono::steady_clock::now();
    close(tube[0]);
    int statut = 0;
    waitpid(enfant, &statut, 0);
    if (lu.find("peint\n") == std::string::npos)
        return -1;
    return std::chrono::duration<double>(fin - debut).count();
}

void BM_DemarrageJusquALaPremierePeinture(benchmark::State& etat)
{
    static CInstallation installation;
    for (auto _ : etat) {
        const double secondes = UnDemarrage();
        if (secondes < 0) {
            etat.SkipWithError("l'enfant n'a pas peint sa fenêtre");
            break;
        }
        mesures.push_back(secondes);
        etat.SetIterationTime(secondes);
    }
}
BENCHMARK(BM_DemarrageJusquALaPremierePeinture)
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
    if (!mesures.empty()) {
        std::sort(mesures.begin(), mesures.end());
        const size_t m = mesures.size();
        const double mediane = m % 2 ? mesures[m / 2] : (mesures[m / 2 - 1] + mesures[m / 2]) / 2;
        std::printf("Démarrage jusqu'à la première peinture : médiane %.1f ms sur %zu lancements (cible < 300 ms)%s\n",
                    mediane * 1000, m, mediane < 0.3 ? "" : " — CIBLE MANQUÉE");
    }
    return 0;
}
