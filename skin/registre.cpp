// Réglages "s2gAppDir" et "Skin" dans des fichiers Novemia.conf lus et écrits ligne à ligne :
// une valeur revient exactement comme elle a été écrite, par le programme ou à la main, et
// l'écriture ne change que la ligne de la clé. Le fichier est remplacé d'un bloc, comme tout
// fichier que le programme remplace (files/ecriture.h).
#include "skin/registre.h"

#include "files/ecriture.h"
#include "skin/emplacementsreglages.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view NomFichier = "Novemia.conf";
// Comme le tampon fixe d'une lecture du registre : zéro final compris.
constexpr std::size_t TailleTampon = 1024;

std::string Variable(const char* nom)
{
    const char* valeur = std::getenv(nom);
    return valeur != nullptr ? valeur : "";
}

std::string DansLeDossier(const std::filesystem::path& dossier)
{
    return (dossier / NomFichier).lexically_normal().string();
}

constexpr std::string_view Blancs = " \t";

std::string_view SansBlancs(std::string_view texte)
{
    const auto debut = texte.find_first_not_of(Blancs);
    if (debut == std::string_view::npos) return {};
    return texte.substr(debut, texte.find_last_not_of(Blancs) + 1 - debut);
}

// Où se trouve, dans le contenu d'un fichier, la dernière ligne qui donne `nom` hors de toute
// section autre que [General], et où un nouveau réglage se placerait sinon.
struct Recherche {
    std::optional<std::string_view> valeur;  // la valeur, fin de ligne exclue
    std::size_t debutValeur = 0;             // positions dans le contenu
    std::size_t finValeur = 0;
    std::size_t insertion = 0;  // fin de la partie hors section (début du premier autre en-tête)
};

Recherche Chercher(std::string_view contenu, std::string_view nom)
{
    Recherche r;
    bool horsSection = true;
    bool insertionTrouvee = false;
    for (std::size_t debut = 0; debut < contenu.size();) {
        std::size_t fin = contenu.find('\n', debut);
        const std::size_t suivante = fin == std::string_view::npos ? contenu.size() : fin + 1;
        if (fin == std::string_view::npos) fin = contenu.size();
        std::string_view ligne = contenu.substr(debut, fin - debut);
        if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);

        const std::string_view nette = SansBlancs(ligne);
        if (!nette.empty() && nette.front() == '[' && nette.back() == ']') {
            horsSection = nette == "[General]";
            if (!horsSection && !insertionTrouvee) {
                r.insertion = debut;
                insertionTrouvee = true;
            }
        } else if (horsSection && !nette.empty() && nette.front() != '#' && nette.front() != ';') {
            const std::size_t egal = ligne.find('=');
            if (egal != std::string_view::npos && SansBlancs(ligne.substr(0, egal)) == nom) {
                r.valeur = ligne.substr(egal + 1);
                r.debutValeur = debut + egal + 1;
                r.finValeur = debut + ligne.size();
            }
        }
        debut = suivante;
    }
    if (!insertionTrouvee) r.insertion = contenu.size();
    return r;
}

// Le contenu d'un fichier ; rien s'il n'existe pas ou ne se lit pas.
std::optional<std::string> Contenu(const std::string& chemin)
{
    QFile fichier(QFile::decodeName(chemin.c_str()));
    if (!fichier.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError) return std::nullopt;
    return octets.toStdString();
}

// Un fichier de plus à lire, s'il n'y est pas déjà.
void Ajouter(std::vector<std::string>& fichiers, std::string fichier)
{
    if (std::find(fichiers.begin(), fichiers.end(), fichier) == fichiers.end()) fichiers.push_back(std::move(fichier));
}

}  // namespace

void PreparerEmplacementsReglages(const std::string& dossierProgramme)
{
    // Les règles XDG : un chemin relatif ne compte pas.
    std::filesystem::path utilisateur = Variable("XDG_CONFIG_HOME");
    if (!utilisateur.is_absolute()) {
        utilisateur = std::filesystem::path(QFile::encodeName(QDir::homePath()).toStdString()) / ".config";
    }
    EmplacementsReglages e;
    e.utilisateur = DansLeDossier(utilisateur);
    const std::string dossiers = Variable("XDG_CONFIG_DIRS");
    for (std::size_t debut = 0; debut <= dossiers.size();) {
        std::size_t fin = dossiers.find(':', debut);
        if (fin == std::string::npos) fin = dossiers.size();
        const std::filesystem::path dossier = dossiers.substr(debut, fin - debut);
        if (dossier.is_absolute()) Ajouter(e.machine, DansLeDossier(dossier));
        debut = fin + 1;
    }
    if (!dossierProgramme.empty()) {
        Ajouter(e.machine, DansLeDossier(std::filesystem::path(dossierProgramme) / ".." / "etc" / "xdg"));
    }
    Ajouter(e.machine, DansLeDossier("/etc/xdg"));
    DefinirEmplacements(std::move(e));
}

Reglage LireReglage(const std::string& nom)
{
    Reglage reglage;
    reglage.erreur = ErreurValeurAbsente;
    if (nom.empty()) return reglage;
    for (const std::string& fichier : EmplacementsDansLOrdre()) {
        const std::optional<std::string> contenu = Contenu(fichier);
        if (!contenu) continue;
        const Recherche r = Chercher(*contenu, nom);
        if (!r.valeur) continue;
        reglage.dossier = std::filesystem::path(fichier).parent_path().string();
        if (r.valeur->size() >= TailleTampon) {
            reglage.erreur = ErreurValeurTropLongue;
            return reglage;
        }
        reglage.erreur = 0;
        // Comme une chaîne du registre : le texte s'arrête au premier octet nul.
        reglage.valeur = std::string(r.valeur->substr(0, r.valeur->find('\0')));
        return reglage;
    }
    return reglage;
}

Reglage DossierResolu(Reglage reglage)
{
    const std::filesystem::path chemin = reglage.valeur;
    if (reglage.erreur != 0 || reglage.valeur.empty() || chemin.is_absolute()) return reglage;
    reglage.valeur = (std::filesystem::path(reglage.dossier) / chemin).lexically_normal().string();
    while (reglage.valeur.size() > 1 && reglage.valeur.back() == '/') reglage.valeur.pop_back();
    return reglage;
}

int EcrireRegistre(const std::string& nom, const std::string& valeur)
{
    const auto horsLigne = [](const std::string& texte) {
        return texte.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
    };
    if (nom.empty() || nom.find('=') != std::string::npos || SansBlancs(nom) != nom || horsLigne(nom) ||
        horsLigne(valeur)) {
        return ErreurDonneesInvalides;
    }
    const std::string& chemin = Emplacements().utilisateur;
    const QString fichier = QFile::decodeName(chemin.c_str());
    // Un fichier présent qu'on ne peut relire serait écrasé avec ce qu'il contient : on n'y touche pas.
    std::string contenu;
    if (QFile::exists(fichier)) {
        const std::optional<std::string> lu = Contenu(chemin);
        if (!lu) return ErreurAccesRefuse;
        contenu = *lu;
    }
    const Recherche r = Chercher(contenu, nom);
    if (r.valeur) {
        contenu.replace(r.debutValeur, r.finValeur - r.debutValeur, valeur);
    } else {
        const std::string finDeLigne = contenu.find("\r\n") != std::string::npos ? "\r\n" : "\n";
        std::string ligne = nom + "=" + valeur + finDeLigne;
        if (r.insertion > 0 && contenu[r.insertion - 1] != '\n') ligne = finDeLigne + ligne;
        contenu.insert(r.insertion, ligne);
    }
    if (!QDir().mkpath(QFileInfo(fichier).absolutePath())) return ErreurAccesRefuse;
    // Jamais réécrit sur place, même dans un dossier où l'on ne peut créer de fichier : un
    // fichier à moitié écrit perdrait les autres réglages, ou en donnerait un tronqué pour vrai
    // (un s2gAppDir coupé). Le réglage est alors refusé, comme une clé du registre qu'on ne
    // peut pas écrire ; l'ancien fichier reste entier.
    return EcrireFichierEnBloc(chemin, contenu) == Ecriture::Echouee ? ErreurAccesRefuse : 0;
}
