// Un PDF relu comme un lecteur le lit : son texte selon pdftotext (poppler-utils), chaque ligne
// à sa place, les pages séparées par « \f ». Sous Windows, rien : les tests n'y gardent que ce
// qui se vérifie sans lui.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#ifdef _WIN32
inline constexpr bool PdfLisible = false;
inline std::string TexteDuPdf(const std::string&) { return {}; }
#else
inline constexpr bool PdfLisible = true;
inline std::string TexteDuPdf(const std::string& chemin)
{
    std::string texte;
    if (std::FILE* tube = ::popen(("pdftotext -layout '" + chemin + "' - 2>/dev/null").c_str(), "r")) {
        char bloc[4096];
        for (std::size_t n; (n = std::fread(bloc, 1, sizeof bloc, tube)) > 0;) texte.append(bloc, n);
        ::pclose(tube);
    }
    return texte;
}
#endif

// Les chiffres des cases d'une page d'une seule grille, dans l'ordre : ceux des lignes faites
// seulement de chiffres et de blancs (légende et pied ont des lettres).
inline std::string ChiffresDesCases(const std::string& page)
{
    // Sans std::regex : GCC 12 y voit, optimisé sous les sanitiseurs, des valeurs non initialisées.
    std::string chiffres;
    std::size_t debut = 0;
    while (debut < page.size()) {
        const std::size_t fin = std::min(page.find('\n', debut), page.size());
        const std::string_view ligne(page.data() + debut, fin - debut);
        if (!ligne.empty() && ligne.find_first_not_of("0123456789 ") == std::string_view::npos) chiffres += ligne;
        debut = fin + 1;
    }
    std::erase(chiffres, ' ');
    return chiffres;
}
