// La seule source de hasard du programme : le générateur classique de la bibliothèque C
// (état = état × 214013 + 2531011 modulo 2^32, tirage = (état >> 16) & 0x7FFF, de 0 à 32767).
// Même graine, mêmes grilles, sur toute plateforme.
#pragma once

#include <cstdint>

class CHasard {
public:
    void Semer(uint32_t graine) { etat = graine; }
    // L'état est toute la mémoire du générateur : semé de cette valeur, il redonne la même suite.
    uint32_t Etat() const { return etat; }
    int32_t Tirer()
    {
        etat = etat * 214013u + 2531011u;  // débordement voulu : modulo 2^32
        return static_cast<int32_t>((etat >> 16) & 0x7FFFu);
    }

private:
    uint32_t etat = 1;  // comme srand(1), avant tout ensemencement
};
