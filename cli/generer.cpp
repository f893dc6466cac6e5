// « novemia-cli generer NIVEAU [--graine N] [--nombre K] [--pdf FICHIER [--par-page P]]
// [--trace JOURNAL] » : génère K grilles d'affilée avec une même source de hasard, comme K
// commandes du menu auxquelles on répond « Oui », et les écrit au format des fichiers de grille
// (neuf lignes de neuf, "." vide), ou dans un PDF, P par page, chacune avec sa graine.
// « generer --defi GENRE [--graine N] [--nombre K] » : K défis (game/defi.h), chacun avec sa
// note et sa technique la plus dure.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/grille.h"
#include "engine/hasard.h"
#include "files/ecriture.h"
#include "files/fichiertrace.h"
#include "files/pdf.h"
#include "files/plateforme.h"
#include "files/textegrille.h"
#include "game/defi.h"
#include "game/explicationtechnique.h"
#include "game/generateur.h"
#include "game/impression.h"

namespace {

constexpr std::string_view Formes[] = {
    "NIVEAU [--graine N] [--nombre K] [--pdf FICHIER [--par-page P]] [--trace JOURNAL]",
    "--defi GENRE [--graine N] [--nombre K]"};
constexpr std::string_view Details[] = {
    "  NIVEAU      facile, moyen, difficile ou diabolique\n"
    "  --defi      une grille à une seule solution dont la technique la plus dure est du genre\n"
    "              sous-ensembles, poissons, ailes ou chaines, précédée de sa note\n"
    "  --graine    graine du hasard, entier de 0 à 4294967295 (par défaut l'heure)\n"
    "  --nombre    nombre de grilles, entier de 1 à 1000000 (par défaut 1)\n"
    "  --pdf       écrit les grilles dans ce fichier PDF (A4) plutôt que sur la sortie,\n"
    "              chacune avec la graine qui la redonne seule (pas pour un défi)\n"
    "  --par-page  grilles par page du PDF : 1, 2, 4 ou 6 (par défaut 1)\n"
    "  --trace     fichier où écrire la trace de chaque résolution (pas pour un défi)\n"};
constexpr DefinitionOption Options[] = {{"--graine"}, {"--nombre"}, {"--pdf"}, {"--par-page"}, {"--trace"}, {"--defi"}};

// Le même fichier sous deux noms : par identité s'il existe (liens, casse sous Windows), par
// le nom sinon.
bool MemeFichier(const std::string& a, const std::string& b)
{
    const auto identite = IdentiteDeFichier(a);
    return (identite && identite == IdentiteDeFichier(b)) ||
           CheminSysteme(a).lexically_normal() == CheminSysteme(b).lexically_normal();
}

// Un entier décimal entier, sans signe ni espace, dans [min, max].
std::optional<uint64_t> LireEntier(std::string_view texte, uint64_t min, uint64_t max)
{
    uint64_t valeur = 0;
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    if (texte.empty() || erreur != std::errc{} || fin != texte.data() + texte.size()) return std::nullopt;
    if (valeur < min || valeur > max) return std::nullopt;
    return valeur;
}

std::optional<NiveauGrille> LireNiveau(std::string_view mot)
{
    for (auto niveau : {Facile, Moyen, Difficile, Diabolique}) {
        if (MotNiveau(niveau) == mot) return niveau;
    }
    return std::nullopt;
}

// K défis d'affilée, avec une même source de hasard : chacun précédé de « # GENRE i/K : note,
// technique la plus dure ».
int GenererDefis(GenreDefi genre, uint32_t graine, uint64_t nombre)
{
    CHasard hasard;
    hasard.Semer(graine);
    for (uint64_t k = 1; k <= nombre && std::cout; ++k) {
        const std::optional<Defi> defi = GenererDefi(genre, hasard);
        if (!defi) {
            MessageErreur("novemia-cli generer : aucune grille trouvée en " + std::to_string(EssaisDefiMax) + " essais");
            return FinCommande(CommandeGenerer, CodeSansSolution);
        }
        std::string texte(81, '.');
        for (int i = 0; i < 81; ++i)
            if (defi->grille[i] != 0) texte[i] = static_cast<char>('0' + defi->grille[i]);
        std::cout << "# " << MotDefi(genre) << " " << k << "/" << nombre << " : " << TexteNote(defi->bilan.note) << ", "
                  << NomTechnique(*defi->bilan.plusDifficile) << "\n"
                  << EnNeufLignes(texte);
    }
    return FinCommande(CommandeGenerer, CodeSucces);
}

int Executer(const ArgumentsLus& lus)
{
    const std::optional<std::string> defi = lus.Valeur("--defi");
    if (lus.positionnels.empty() && !defi) return RefusUsage(CommandeGenerer, "niveau manquant");
    if (lus.positionnels.size() > (defi ? 0u : 1u)) {
        return RefusUsage(CommandeGenerer, "argument en trop : « " + lus.positionnels[defi ? 0 : 1] + " »");
    }
    std::optional<GenreDefi> genre;
    if (defi) {
        genre = LireDefi(*defi);
        if (!genre) return RefusUsage(CommandeGenerer, "genre de défi inconnu : « " + *defi + " »");
        for (const std::string option : {"--trace", "--pdf", "--par-page"}) {
            if (lus.Present(option)) return RefusUsage(CommandeGenerer, option + " ne s'applique pas à un défi");
        }
    }
    const auto niveau = defi ? std::optional<NiveauGrille>(Facile) : LireNiveau(lus.positionnels[0]);
    if (!niveau) return RefusUsage(CommandeGenerer, "niveau inconnu : « " + lus.positionnels[0] + " »");
    std::optional<uint64_t> graine;
    if (const auto texte = lus.Valeur("--graine")) {
        graine = LireEntier(*texte, 0, UINT32_MAX);
        if (!graine) return RefusUsage(CommandeGenerer, "graine invalide : « " + *texte + " »");
    }
    uint64_t nombre = 1;
    if (const auto texte = lus.Valeur("--nombre")) {
        const auto n = LireEntier(*texte, 1, 1'000'000);
        if (!n) return RefusUsage(CommandeGenerer, "nombre de grilles invalide : « " + *texte + " »");
        nombre = *n;
    }
    const auto semence = static_cast<uint32_t>(graine ? *graine : static_cast<uint64_t>(std::time(nullptr)));
    if (genre) return GenererDefis(*genre, semence, nombre);

    const auto pdf = lus.Valeur("--pdf");
    int parPage = 1;
    if (const auto texte = lus.Valeur("--par-page")) {
        if (!pdf) return RefusUsage(CommandeGenerer, "--par-page sans --pdf");
        const auto n = LireEntier(*texte, 1, 6);
        if (!n || std::find(ParPagePossibles.begin(), ParPagePossibles.end(), *n) == ParPagePossibles.end()) {
            return RefusUsage(CommandeGenerer, "grilles par page invalide : « " + *texte + " » (1, 2, 4 ou 6)");
        }
        parPage = static_cast<int>(*n);
    }
    if (pdf && lus.Valeur("--trace") && MemeFichier(*pdf, *lus.Valeur("--trace"))) {
        return RefusUsage(CommandeGenerer, "le PDF et la trace sont le même fichier");
    }

    CJournal journal(CommandeGenerer, lus.Valeur("--trace"));
    if (!journal.Ouvert()) return CodeFichier;

    CGrille grille;
    CHasard hasard;
    CGenerateur generateur(grille, hasard);
    // Semée une seule fois, comme au démarrage du jeu.
    hasard.Semer(semence);

    const std::string mot(MotNiveau(*niveau));
    std::vector<GrilleImprimee> imprimees;
    // Une sortie standard en échec arrête tout, comme pour les grilles lues.
    for (uint64_t k = 1; k <= nombre && std::cout; ++k) {
        const uint32_t graineGrille = hasard.Etat();
        generateur.ConstruireGrille(*niveau, journal.Suivi());
        // Comme la commande du menu : la solution gardée, puis les indices seuls.
        if (grille.ResoudreEtMemoriser(journal.Suivi()) != FinResolution::Resolue) {
            std::cerr << MessageSansSolution << '\n';
        }
        if (pdf) {
            imprimees.push_back(GrilleAImprimer(grille, false, LegendeGeneree(*niveau, graineGrille)));
        } else {
            std::cout << "# " << mot << " " << k << "/" << nombre << "\n" << EnNeufLignes(TexteIndices(grille));
        }
    }
    int code = CodeSucces;
    // Comme une grille exportée : un fichier qu'on peut écrire est au besoin réécrit sur place.
    if (pdf && EcrireFichierEnBloc(*pdf, EnPdf(MettreEnPages(imprimees, parPage, LargeurA4, HauteurA4)),
                                   RecoursSurPlace::Permis) == Ecriture::Echouee) {
        MessageErreur("novemia-cli generer : impossible d'écrire le PDF « " + *pdf + " »");
        code = CodeFichier;
    }
    return FinCommande(CommandeGenerer, code, &journal);
}

}  // namespace

const CommandeCli CommandeGenerer{"generer", Formes, Details, Options, Executer};
