// Le format des statistiques : un texte UTF-8, une catégorie par ligne, relu borné.
//
//   Novemia statistiques 1
//   <clé> <commencées> <finies> <finies sans aide> <meilleur temps en ms, ou -> <total sans aide en ms>
//   …
//   fin
//
// Les clés sont uniques ; un meilleur temps existe dès qu'une grille est finie sans aide.
#include "game/statistiques.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "files/ecriture.h"
#include "files/lignebornee.h"
#include "files/plateforme.h"
#include "game/partiegardee.h"

namespace {

constexpr std::string_view Entete = "Novemia statistiques ";
constexpr int Version = 1;
constexpr std::size_t LongueurMax = 256;
constexpr std::size_t CategoriesMax = 256;
constexpr std::uintmax_t TailleMax = (CategoriesMax + 2) * (LongueurMax + 2);

bool Nombre(std::string_view texte, int64_t& valeur)
{
    const char* fin = texte.data() + texte.size();
    const auto [fait, erreur] = std::from_chars(texte.data(), fin, valeur);
    return !texte.empty() && erreur == std::errc() && fait == fin && valeur >= 0;
}

std::optional<std::string> Analyser(std::istream& entree, Statistiques& lues)
{
    LigneBornee ligne;
    const auto lire = [&] { return LireLigneBornee(entree, LongueurMax, ligne) && !ligne.tropLongue; };
    int64_t version = 0;
    if (!lire() || !ligne.debut.starts_with(Entete) ||
        !Nombre(std::string_view(ligne.debut).substr(Entete.size()), version) || version == 0) {
        return std::string(entree.bad() ? RaisonIllisible : RaisonEtrangere);
    }
    if (version > Version) return std::string(RaisonVersion);
    const std::string abimee(RaisonAbimee);
    while (lire() && ligne.debut != "fin") {
        std::vector<std::string_view> champs;
        std::string_view reste = ligne.debut;
        for (std::size_t blanc; (blanc = reste.find(' ')) != std::string_view::npos; reste.remove_prefix(blanc + 1))
            champs.push_back(reste.substr(0, blanc));
        champs.push_back(reste);
        StatsCategorie s;
        const bool sansMeilleur = champs.size() == 6 && champs[4] == "-";
        if (champs.size() != 6 || !CleCategorieValide(champs[0]) || lues.contains(champs[0]) ||
            lues.size() >= CategoriesMax || !Nombre(champs[1], s.commencees) || !Nombre(champs[2], s.finies) ||
            !Nombre(champs[3], s.finiesSansAide) || (!sansMeilleur && !Nombre(champs[4], s.meilleurMs)) ||
            !Nombre(champs[5], s.totalSansAideMs) || s.finiesSansAide > s.finies ||
            sansMeilleur != (s.finiesSansAide == 0)) {
            return abimee;
        }
        lues.emplace(champs[0], s);
    }
    if (ligne.debut != "fin") return entree.bad() ? std::string(RaisonIllisible) : abimee;
    // Après « fin », rien que des lignes blanches.
    while (LireLigneBornee(entree, LongueurMax, ligne)) {
        if (ligne.tropLongue || ligne.debut.find_first_not_of(" \t") != std::string::npos) return abimee;
    }
    return std::nullopt;
}

}  // namespace

std::string_view NomCategorie(std::string_view cle)
{
    const auto c = std::ranges::find(Categories, cle, &Categorie::cle);
    return c != Categories.end() ? c->nom : cle;
}

bool CleCategorieValide(std::string_view cle)
{
    return !cle.empty() && cle.size() <= 32 &&
           std::ranges::all_of(cle, [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; });
}

std::string EcrireStatistiques(const Statistiques& statistiques)
{
    std::string texte = std::string(Entete) + std::to_string(Version) + "\n";
    for (const auto& [cle, s] : statistiques) {
        texte += cle + " " + std::to_string(s.commencees) + " " + std::to_string(s.finies) + " " +
                 std::to_string(s.finiesSansAide) + " " + (s.meilleurMs < 0 ? "-" : std::to_string(s.meilleurMs)) +
                 " " + std::to_string(s.totalSansAideMs) + "\n";
    }
    return texte + "fin\n";
}

std::optional<std::string> LireStatistiques(std::istream& entree, Statistiques& lues)
{
    lues.clear();
    return Analyser(entree, lues);
}

std::string TexteDuree(int64_t millisecondes)
{
    const int64_t secondes = std::max<int64_t>(millisecondes, 0) / 1000;
    const auto deux = [](int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    if (secondes < 3600) return std::to_string(secondes / 60) + ":" + deux(secondes % 60);
    return std::to_string(secondes / 3600) + ":" + deux(secondes / 60 % 60) + ":" + deux(secondes % 60);
}

void CFichierStatistiques::Dire(std::optional<std::string>& message, std::string texte)
{
    if (!dit) message = std::move(texte);
    dit = true;
}

Statistiques CFichierStatistiques::Lire(std::optional<std::string>& message, const std::optional<std::tm>& heure)
{
    if (chemin.empty() || laisse) return enMemoire;
    const std::filesystem::path systeme = CheminSysteme(chemin);
    std::error_code erreur;
    const std::filesystem::file_status etat = std::filesystem::status(systeme, erreur);
    if (etat.type() == std::filesystem::file_type::not_found) return enMemoire = {};
    std::optional<std::string> raison;
    Statistiques lues;
    if (!std::filesystem::is_regular_file(etat)) {
        raison = RaisonIllisible;
    } else if (const std::uintmax_t taille = std::filesystem::file_size(systeme, erreur); erreur) {
        raison = RaisonIllisible;
    } else if (taille > TailleMax) {
        raison = RaisonAbimee;
    } else {
        std::ifstream entree(systeme, std::ios::binary);
        raison = entree.is_open() ? LireStatistiques(entree, lues) : std::string(RaisonIllisible);
        if (raison && entree.bad()) raison = RaisonIllisible;
    }
    if (!raison) return enMemoire = std::move(lues);
    const std::string debut = "Les statistiques gardées dans " + chemin + " ne peuvent pas être lues : " + *raison;
    if (*raison != RaisonVersion && *raison != RaisonIllisible) {
        if (const auto deCote = MettreDeCote(chemin, "abimee", heure)) {
            Dire(message, debut + ". Le fichier est mis de côté sous " + *deCote + " ; elles repartent de zéro.");
            return enMemoire = {};
        }
    }
    laisse = true;
    Dire(message, debut + ". Le fichier reste tel quel ; elles ne sont pas tenues pendant ce lancement.");
    return enMemoire;
}

Statistiques CFichierStatistiques::Changer(const std::function<void(Statistiques&)>& changer,
                                           std::optional<std::string>& message, const std::optional<std::tm>& heure)
{
    Statistiques statistiques = Lire(message, heure);
    changer(statistiques);
    enMemoire = statistiques;
    if (chemin.empty() || laisse) return statistiques;
    std::error_code erreur;
    std::filesystem::create_directories(CheminSysteme(chemin).parent_path(), erreur);
    // Jamais réécrites sur place : une panne ne doit pas les laisser à moitié écrites.
    if (EcrireFichierEnBloc(chemin, EcrireStatistiques(statistiques), RecoursSurPlace::Refuse) == Ecriture::Echouee)
        Dire(message, "Impossible d'écrire les statistiques dans " + chemin);
    return statistiques;
}
