// Recherche des fichiers d'un dossier dont le nom suit un motif à jokers (* et ?),
// sans distinguer les majuscules ; sert à lister les skins installés.
#pragma once

#include <string>
#include <vector>

// Le fond d'un skin pour les écrans denses, deux fois plus grand, porte le nom du skin suivi
// de ce suffixe (Papier@2x.bmp) : il accompagne son skin sans en être un.
inline constexpr char SuffixeDouble[] = "@2x";

// Le fichier <dossier>/<nom>.<extension> d'un skin, l'extension en toute casse : un skin
// listé depuis Nuit.BMP se charge. Le chemin en minuscules s'il n'existe sous aucune casse.
std::string FichierDuSkin(const std::string& dossier, const std::string& nom, const std::string& extension);

class CRechercheFichiers {
public:
    virtual ~CRechercheFichiers() = default;

    // Fixe le dossier ; les séparateurs finaux (et les blancs qui les suivent) sont ôtés.
    void DefinirDossier(const std::string& dossier);
    // Ajoute à `fichiers` le chemin complet de chaque fichier du dossier qui suit `motif` ;
    // les sous-dossiers sont laissés de côté, un dossier absent ne donne rien.
    void Chercher(const std::string& motif);

    const std::string& Dossier() const { return dossier; }

    // Chemins trouvés, dans l'ordre où le système de fichiers les donne.
    std::vector<std::string> fichiers;

private:
    std::string dossier;
};
