// Un PDF relu comme un lecteur le lit : son texte selon pdftotext (poppler-utils), page après
// page, chaque ligne à sa place. Sous Windows, rien : les tests n'y gardent que ce qui se
// vérifie sans lui.
#pragma once

#include <cstdio>
#include <string>

inline constexpr bool PdfLisible =
#ifdef _WIN32
    false;
#else
    true;
#endif

// Le texte des pages, séparées par « \f » ; vide si le fichier ne se lit pas.
inline std::string TexteDuPdf([[maybe_unused]] const std::string& chemin)
{
    std::string texte;
#ifndef _WIN32
    std::FILE* tube = ::popen(("pdftotext -layout '" + chemin + "' - 2>/dev/null").c_str(), "r");
    if (tube == nullptr) return texte;
    char bloc[4096];
    for (std::size_t n; (n = std::fread(bloc, 1, sizeof bloc, tube)) > 0;) texte.append(bloc, n);
    ::pclose(tube);
#endif
    return texte;
}

// Les chiffres des cases d'une page d'une seule grille, ligne après ligne : ceux des lignes
// faites seulement de chiffres et de blancs (légende et pied ont des lettres).
inline std::string ChiffresDesCases(const std::string& page)
{
    std::string chiffres, ligne;
    for (const char c : page + "\n") {
        if (c != '\n') {
            ligne += c;
            continue;
        }
        if (ligne.find_first_not_of("0123456789 ") == std::string::npos) {
            for (const char d : ligne) {
                if (d != ' ') chiffres += d;
            }
        }
        ligne.clear();
    }
    return chiffres;
}

// Les pages du texte.
inline std::size_t NombrePages(const std::string& texte)
{
    std::size_t n = 0;
    for (const char c : texte) n += c == '\f';
    return n;
}
