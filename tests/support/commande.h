// Lance novemia-cli comme depuis un terminal, dans le dossier courant, et retient ce qu'il
// écrit et son code de sortie.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ResultatCommande {
    int code = -1;
    std::string sortie;
    std::string erreurs;
};

inline std::string Contenu(const std::string& chemin)
{
    std::ifstream entree(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(entree), std::istreambuf_iterator<char>()};
}

#ifdef NOVEMIA_CLI
// La ligne qui lance novemia-cli avec `arguments`, chacun protégé pour le shell, puis `suite`
// (redirections).
inline std::string LigneCli(const std::vector<std::string>& arguments, const std::string& suite)
{
#ifdef _WIN32
    // cmd.exe : chaque argument entre guillemets doubles (les tests n'y mettent ni « " » ni
    // « % »), la commande entière aussi, pour que cmd /c ne retire que ces deux-là.
    const auto citer = [](const std::string& texte) { return "\"" + texte + "\""; };
#else
    const auto citer = [](const std::string& texte) {
        std::string cite = "'";
        for (char c : texte) cite += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return cite + "'";
    };
#endif
    std::string commande = citer(NOVEMIA_CLI);
    for (const std::string& a : arguments) commande += " " + citer(a);
    commande += " " + suite;
#ifdef _WIN32
    commande = "\"" + commande + "\"";
#endif
    return commande;
}

#ifdef _WIN32
// En UTF-16 (path la convertit depuis l'UTF-8) : passée en char, elle serait lue dans la page
// ANSI.
inline std::wstring EnLarge(const std::string& commande)
{
    return std::filesystem::path(std::u8string(commande.begin(), commande.end())).wstring();
}
#else
inline int CodeDeSortie(int etat) { return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1; }
#endif

// `entree` arrive sur l'entrée standard.
inline ResultatCommande LancerCli(const std::vector<std::string>& arguments, const std::string& entree = "")
{
    std::ofstream("entree.txt", std::ios::binary) << entree;
    const std::string commande = LigneCli(arguments, "< entree.txt > sortie.txt 2> erreurs.txt");
#ifdef _WIN32
    // 9009 : cmd n'a pas pu lancer le programme. Sous Wine, cela arrive parfois juste après
    // le démarrage du préfixe ; novemia-cli ne rend jamais ce code, on relance donc.
    int code = 9009;
    for (int essai = 0; essai < 3 && code == 9009; ++essai) code = ::_wsystem(EnLarge(commande).c_str());
#else
    const int code = CodeDeSortie(std::system(commande.c_str()));
#endif
    return {code, Contenu("sortie.txt"), Contenu("erreurs.txt")};
}

// Comme « novemia-cli … | head -1 » : la première ligne de la sortie est lue, puis le tube
// fermé.
inline ResultatCommande LancerCliPremiereLigne(const std::vector<std::string>& arguments)
{
    const std::string commande = LigneCli(arguments, "2> erreurs.txt");
#ifdef _WIN32
    std::FILE* tube = ::_wpopen(EnLarge(commande).c_str(), L"rb");
#else
    std::FILE* tube = ::popen(commande.c_str(), "r");
#endif
    if (tube == nullptr) return {};
    char ligne[256] = {};
    const bool lue = std::fgets(ligne, sizeof ligne, tube) != nullptr;
#ifdef _WIN32
    const int code = ::_pclose(tube);
#else
    const int code = CodeDeSortie(::pclose(tube));
#endif
    return {code, lue ? ligne : "", Contenu("erreurs.txt")};
}
#endif
