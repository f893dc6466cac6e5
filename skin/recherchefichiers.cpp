// Énumération d'un dossier par QDir, dans l'ordre du système de fichiers.
#include "skin/recherchefichiers.h"

#include "skin/nomfichier.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace {

bool EstBlanc(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

std::string FichierDuSkin(const std::string& dossier, const std::string& nom, const std::string& extension)
{
    const std::string exact = dossier + "/" + nom + "." + extension;
    if (QFileInfo::exists(NomQt(exact))) return exact;
    // Le nom compte tel quel, seule l'extension se compare sans casse.
    const QString debut = NomQt(nom) + QLatin1Char('.');
    const QString suite = QString::fromStdString(extension);
    const QStringList noms = QDir(NomQt(dossier)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& fichier : noms) {
        if (fichier.size() == debut.size() + suite.size() && fichier.startsWith(debut) &&
            fichier.endsWith(suite, Qt::CaseInsensitive)) {
            return dossier + "/" + NomStd(fichier);
        }
    }
    return exact;
}

void CRechercheFichiers::DefinirDossier(const std::string& nouveau)
{
    dossier = nouveau;
    // Le séparateur est la barre oblique inverse si le texte en contient une.
    const char separateur = dossier.find('\\') != std::string::npos ? '\\' : '/';
    for (;;) {
        std::size_t fin = dossier.size();
        while (fin > 0 && EstBlanc(dossier[fin - 1])) --fin;
        if (fin == 0 || dossier[fin - 1] != separateur) break;
        dossier.resize(fin - 1);
    }
}

void CRechercheFichiers::Chercher(const std::string& motif)
{
    if (dossier.empty()) return;
    QDir repertoire(NomQt(dossier));
    if (!repertoire.exists()) return;

    // Fichiers cachés compris ; jamais les dossiers ni "." et "..".
    const QStringList noms = repertoire.entryList(
        QStringList{NomQt(motif)},
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted);
    const std::string separateur(1, QDir::separator().toLatin1());
    for (const QString& nom : noms) {
        fichiers.push_back(dossier + separateur + NomStd(nom));
    }
}
