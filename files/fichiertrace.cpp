// Fichier de trace de la résolution : nom et en-tête datés, page de code 1252, CR LF.
#include "files/fichiertrace.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "files/plateforme.h"

namespace {

// Les nombres sont formés ici plutôt que par strftime, dont la sortie dépend de la locale
// et, sous Windows, de la page de code.
std::string DeuxChiffres(int n) { return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

std::string Date(const std::tm& heure, char separateur)
{
    return DeuxChiffres(heure.tm_mday) + separateur + DeuxChiffres(heure.tm_mon + 1) + separateur +
           std::to_string(heure.tm_year + 1900);
}

// Octet 1252 d'un point de code au-delà du latin-1 (table de 0x80 à 0x9F), '?' s'il n'en a pas.
char Special1252(char32_t point)
{
    struct Correspondance {
        char32_t point;
        unsigned char octet;
    };
    static constexpr std::array<Correspondance, 27> Table{{
        {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
        {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
        {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
        {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
        {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
        {0x017E, 0x9E}, {0x0178, 0x9F},
    }};
    for (const Correspondance& c : Table) {
        if (c.point == point) {
            return static_cast<char>(c.octet);
        }
    }
    return '?';
}

// Convertit `texte` et remet chaque octet produit à `emettre`. Une séquence UTF-8 invalide
// ou un caractère absent de la page 1252 devient '?'.
template <typename Emettre>
void Convertir(std::string_view texte, Emettre&& emettre)
{
    size_t i = 0;
    while (i < texte.size()) {
        const auto octet = static_cast<unsigned char>(texte[i]);
        if (octet < 0x80) {
            if (octet == '\n') {
                emettre('\r');
            }
            emettre(static_cast<char>(octet));
            ++i;
            continue;
        }
        // Longueur de la séquence et bits utiles du premier octet.
        size_t longueur = 0;
        char32_t point = 0;
        if ((octet & 0xE0) == 0xC0) {
            longueur = 2;
            point = octet & 0x1F;
        } else if ((octet & 0xF0) == 0xE0) {
            longueur = 3;
            point = octet & 0x0F;
        } else if ((octet & 0xF8) == 0xF0) {
            longueur = 4;
            point = octet & 0x07;
        }
        bool valide = longueur != 0 && i + longueur <= texte.size();
        for (size_t k = 1; valide && k < longueur; ++k) {
            const auto suite = static_cast<unsigned char>(texte[i + k]);
            valide = (suite & 0xC0) == 0x80;
            point = (point << 6) | (suite & 0x3F);
        }
        if (!valide) {
            emettre('?');
            ++i;
            continue;
        }
        i += longueur;
        if (point >= 0xA0 && point <= 0xFF) {
            emettre(static_cast<char>(point));  // le latin-1 se retrouve tel quel
        } else {
            emettre(Special1252(point));
        }
    }
}

}  // namespace

std::string LigneDeTrace(const Pas& pas)
{
    // Octet pour octet celles du jeu d'origine : le blanc avant la fin de ligne des
    // déductions, « (ligne)-> » sans blanc, « Hypothese » sans accent, lignes et colonnes de 0 à 8.
    static constexpr std::array<const char*, 6> Formats{
        nullptr,
        "Déduction par élimination -> Case(%d,%d): Chiffre=%d Niveau=%d \n",
        "Déduction par unicité (ligne)-> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
        "Déduction par unicité (colonne) -> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
        "Déduction par unicité (région) -> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
        "Hypothese -> Case(%d,%d): Chiffre=%d Niveau=%d\n",
    };
    const auto genre = static_cast<std::size_t>(pas.genre);
    const char* format = genre < Formats.size() ? Formats[genre] : nullptr;
    if (format == nullptr) {
        return {};
    }
    // Assez pour la plus longue ligne, même avec quatre entiers de onze caractères.
    char tampon[160];
    const int n = std::snprintf(tampon, sizeof tampon, format, pas.ligne, pas.colonne, pas.chiffre, pas.niveau);
    return n > 0 ? std::string(tampon, std::min(static_cast<std::size_t>(n), sizeof tampon - 1)) : std::string();
}

// Sans heure locale (horloge hors de ce que localtime connaît), aucune date n'est inventée :
// le nom garde le préfixe des traces, ne peut être celui d'aucun jour, et l'en-tête le dit.
std::string NomFichierTrace(const std::optional<std::tm>& heureLocale)
{
    return "Trace_" + (heureLocale ? Date(*heureLocale, '-') : "date-inconnue") + ".txt";
}

std::string EnTeteTrace(const std::optional<std::tm>& heureLocale)
{
    if (!heureLocale) return "-------- Trace, date et heure inconnues --------\n\n";
    return "-------- Trace du " + Date(*heureLocale, '/') + " à " + DeuxChiffres(heureLocale->tm_hour) + ":" +
           DeuxChiffres(heureLocale->tm_min) + ":" + DeuxChiffres(heureLocale->tm_sec) + " --------\n\n";
}

std::string VersDisque(std::string_view texteUtf8)
{
    std::string disque;
    disque.reserve(texteUtf8.size() + 8);
    Convertir(texteUtf8, [&disque](char c) { disque += c; });
    return disque;
}

CFichierTrace::~CFichierTrace() { Fermer(); }

bool CFichierTrace::Ouvrir(std::time_t maintenant, const std::string& chemin)
{
    Fermer();
    const std::optional<std::tm> heure = HeureLocale(maintenant);
    nom = chemin.empty() ? NomFichierTrace(heure) : chemin;
    enEchec = false;
    fichier = OuvrirFichier(nom, "wb");
    if (fichier == nullptr) {
        return false;
    }
    Ecrire(EnTeteTrace(heure));
    return true;
}

void CFichierTrace::Ecrire(std::string_view ligne)
{
    if (fichier == nullptr) {
        return;
    }
    // Conversion par petits morceaux dans un tampon sur la pile : rien n'est alloué par ligne.
    std::array<char, 256> tampon;
    size_t n = 0;
    const auto ecrire = [this](const char* octets, size_t taille) {
        if (std::fwrite(octets, 1, taille, fichier) != taille) {
            enEchec = true;
        }
    };
    Convertir(ligne, [&](char c) {
        if (n == tampon.size()) {
            ecrire(tampon.data(), n);
            n = 0;
        }
        tampon[n++] = c;
    });
    ecrire(tampon.data(), n);
}

bool CFichierTrace::Vider()
{
    if (fichier != nullptr && std::fflush(fichier) != 0) {
        enEchec = true;
    }
    return !enEchec;
}

bool CFichierTrace::Fermer()
{
    if (fichier == nullptr) {
        return true;
    }
    Vider();
    if (std::fclose(fichier) != 0) {
        enEchec = true;
    }
    fichier = nullptr;
    return !enEchec;
}
