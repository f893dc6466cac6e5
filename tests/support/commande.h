// Lance novemia-cli comme depuis un terminal, dans le dossier courant, et retient ce qu'il
// écrit et son code de sortie.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

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
// `entree` arrive sur l'entrée standard ; chaque argument est protégé pour le shell.
inline ResultatCommande LancerCli(const std::vector<std::string>& arguments, const std::string& entree = "")
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
    std::ofstream("entree.txt", std::ios::binary) << entree;
    std::string commande = citer(NOVEMIA_CLI);
    for (const std::string& a : arguments) commande += " " + citer(a);
    commande += " < entree.txt > sortie.txt 2> erreurs.txt";
#ifdef _WIN32
    // En UTF-16 (path la convertit depuis l'UTF-8) : passée en char, elle serait lue dans la
    // page ANSI.
    const std::wstring large = std::filesystem::path(std::u8string(commande.begin(), commande.end())).wstring();
    // 9009 : cmd n'a pas pu lancer le programme. Sous Wine, cela arrive parfois juste après
    // le démarrage du préfixe ; novemia-cli ne rend jamais ce code, on relance donc.
    int code = 9009;
    for (int essai = 0; essai < 3 && code == 9009; ++essai) code = ::_wsystem((L"\"" + large + L"\"").c_str());
#else
    const int etat = std::system(commande.c_str());
    const int code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
#endif
    return {code, Contenu("sortie.txt"), Contenu("erreurs.txt")};
}
#endif
