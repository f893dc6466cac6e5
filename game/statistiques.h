// Les statistiques du joueur, par catégorie de grille : grilles commencées, finies, finies sans
// aide, meilleur temps et temps moyen (des grilles finies sans aide). Leur format texte dans les
// deux sens, et leur fichier, relu avant chaque changement et réécrit d'un bloc. Sans Qt.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

struct StatsCategorie {
    int64_t commencees = 0;
    int64_t finies = 0;
    int64_t finiesSansAide = 0;
    int64_t meilleurMs = -1;  // -1 tant qu'aucune grille n'est finie sans aide
    int64_t totalSansAideMs = 0;  // la somme des temps des grilles finies sans aide
    bool operator==(const StatsCategorie&) const = default;
};

// Par clé de catégorie ; une clé inconnue (venue d'une autre version) est gardée telle quelle.
using Statistiques = std::map<std::string, StatsCategorie, std::less<>>;

// Les catégories, dans l'ordre où on les montre : la clé du fichier et le nom dit au joueur.
struct Categorie {
    std::string_view cle;
    std::string_view nom;
};
inline constexpr std::array<Categorie, 7> Categories{{{"facile", "Facile"},
                                                       {"moyen", "Moyen"},
                                                       {"difficile", "Difficile"},
                                                       {"diabolique", "Diabolique"},
                                                       {"saisie", "Grilles saisies"},
                                                       {"importee", "Grilles importées"},
                                                       {"defi", "Défis"}}};
// Le nom d'une catégorie ; la clé elle-même pour une catégorie inconnue.
std::string_view NomCategorie(std::string_view cle);
// Une clé possible : 1 à 32 caractères parmi a-z, 0-9 et « - ».
bool CleCategorieValide(std::string_view cle);

// Le texte versionné (statistiques.cpp dit le format), et sa lecture entière et vérifiée : rien
// et `lues` remplies, ou la raison (celles de la partie gardée, partiegardee.h).
std::string EcrireStatistiques(const Statistiques& statistiques);
std::optional<std::string> LireStatistiques(std::istream& entree, Statistiques& lues);

// « 4:07 », « 1:02:03 ».
std::string TexteDuree(int64_t millisecondes);

// Le fichier des statistiques. Sans chemin, elles ne vivent qu'en mémoire. Un fichier abîmé est
// mis de côté sous un nom daté et elles repartent de zéro ; un fichier d'une version plus récente
// ou qui ne se lit pas reste en place et n'est plus touché de ce lancement. L'un ou l'autre est
// dit une fois par lancement, par le message que rendent Lire et Changer.
class CFichierStatistiques {
public:
    explicit CFichierStatistiques(std::string chemin = {}) : chemin(std::move(chemin)) {}
    const std::string& Chemin() const { return chemin; }

    // Les statistiques telles qu'elles sont ; `heure` date un fichier mis de côté.
    Statistiques Lire(std::optional<std::string>& message, const std::optional<std::tm>& heure);
    // Relues, changées par `changer`, réécrites d'un bloc ; rend ce qu'elles sont devenues.
    Statistiques Changer(const std::function<void(Statistiques&)>& changer, std::optional<std::string>& message,
                         const std::optional<std::tm>& heure);

private:
    std::string chemin;
    Statistiques enMemoire;
    bool laisse = false;  // le fichier reste tel quel jusqu'à la fin du lancement
    bool dit = false;     // un message a déjà été dit
    void Dire(std::optional<std::string>& message, std::string texte);
};
