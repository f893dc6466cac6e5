// Solveur témoin, écrit au plus simple d'après les règles du moteur : drapeaux un par
// chiffre, candidats recalculés en relisant les 27 cases, passages complets. Sert à
// vérifier que le moteur (masques, ensembles de cases à revoir) pose exactement les mêmes
// chiffres, dans le même ordre, avec les mêmes lignes de trace.
#pragma once

#include <array>
#include <cstdio>
#include <string>

struct CGrilleReference {
    struct CaseRef {
        int chiffre = 0, niveau = 0, origine = 0;
        std::array<int, 9> possibles{};
    };
    struct HypoRef {
        int ligne = 0, colonne = 0, indice = 0;
        std::array<int, 10> chiffres{};
    };
    enum { Vide = 0, Init = 1, DeduitOrdi = 2, DeduitOrdiUnicite = 3, HypoOrdi = 4 };

    CaseRef cases[9][9];
    HypoRef hypotheses[81];
    int niveauCourant = 0;
    std::string trace;
    int remisesAZero = 0;

    void Tracer(const char* format, int l, int c, int d)
    {
        char tampon[160];
        std::snprintf(tampon, sizeof tampon, format, l, c, d, niveauCourant);
        trace += tampon;
    }

    bool Pleine() const
    {
        for (int i = 0; i < 81; ++i)
            if (cases[i / 9][i % 9].chiffre == 0) return false;
        return true;
    }

    bool Valide() const
    {
        for (int u = 0; u < 27; ++u) {
            bool vu[10] = {};
            for (int i = 0; i < 9; ++i) {
                int l, c;
                CaseUnite(u / 9, u % 9, i, l, c);
                const int d = cases[l][c].chiffre;
                if (d > 0 && vu[d]) return false;
                vu[d] = true;
            }
        }
        return true;
    }

    void CalculerPossibles(int r, int k)
    {
        auto& p = cases[r][k].possibles;
        p.fill(1);
        for (int i = 0; i < 9; ++i) {
            if (cases[r][i].chiffre > 0) p[cases[r][i].chiffre - 1] = 0;
            if (cases[i][k].chiffre > 0) p[cases[i][k].chiffre - 1] = 0;
        }
        for (int l = r / 3 * 3; l < r / 3 * 3 + 3; ++l)
            for (int c = k / 3 * 3; c < k / 3 * 3 + 3; ++c)
                if (cases[l][c].chiffre > 0) p[cases[l][c].chiffre - 1] = 0;
    }

    int Elimination()
    {
        int resultat = 0;
        bool progres;
        do {
            progres = false;
            for (int r = 0; r < 9; ++r)
                for (int k = 0; k < 9; ++k) {
                    if (cases[r][k].chiffre > 0) continue;
                    CalculerPossibles(r, k);
                    int n = 0, d = 0;
                    for (int x = 0; x < 9; ++x)
                        if (cases[r][k].possibles[x]) ++n, d = x + 1;
                    if (n == 0) return 2;
                    if (n == 1) {
                        cases[r][k].chiffre = d;
                        cases[r][k].origine = DeduitOrdi;
                        cases[r][k].niveau = niveauCourant;
                        Tracer("Déduction par élimination -> Case(%d,%d): Chiffre=%d Niveau=%d \n", r, k, d);
                        progres = true;
                        resultat = 1;
                    }
                }
        } while (progres);
        return resultat;
    }

    // Une unité : type 0 ligne, 1 colonne, 2 région ; rend la case i de l'unité u.
    static void CaseUnite(int type, int u, int i, int& l, int& c)
    {
        if (type == 0) { l = u; c = i; }
        else if (type == 1) { l = i; c = u; }
        else { l = u / 3 * 3 + i / 3; c = u % 3 * 3 + i % 3; }
    }

    int Unicite()
    {
        static const char* formats[3] = {
            "Déduction par unicité (ligne)-> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
            "Déduction par unicité (colonne) -> Case(%d,%d) : Chiffre=%d Niveau=%d \n",
            "Déduction par unicité (région) -> Case(%d,%d) : Chiffre=%d Niveau=%d \n"};
        int resultat = 0;
        bool progres;
        do {
            progres = false;
            for (int type = 0; type < 3; ++type)
                for (int u = 0; u < 9; ++u) {
                    int compte[9] = {}, posL[9] = {}, posC[9] = {};
                    for (int i = 0; i < 9; ++i) {
                        int l, c;
                        CaseUnite(type, u, i, l, c);
                        if (cases[l][c].chiffre != 0) continue;
                        for (int x = 0; x < 9; ++x)
                            if (cases[l][c].possibles[x]) ++compte[x], posL[x] = l, posC[x] = c;
                    }
                    for (int x = 0; x < 9; ++x) {
                        if (compte[x] != 1) continue;
                        int l = posL[x], c = posC[x];
                        cases[l][c].chiffre = x + 1;
                        cases[l][c].origine = DeduitOrdiUnicite;
                        cases[l][c].niveau = niveauCourant;
                        Tracer(formats[type], l, c, x + 1);
                        resultat = 1;
                        progres = true;
                        for (int autre = 0; autre < 3; ++autre) {
                            if (autre == type) continue;
                            int v = autre == 0 ? l : autre == 1 ? c : l / 3 * 3 + c / 3;
                            for (int i = 0; i < 9; ++i) {
                                int l2, c2;
                                CaseUnite(autre, v, i, l2, c2);
                                if (cases[l2][c2].chiffre == 0) cases[l2][c2].possibles[x] = 0;
                            }
                        }
                    }
                }
        } while (progres);
        return resultat;
    }

    int Choisir() const
    {
        for (int n = 2; n <= 9; ++n)
            for (int r = 0; r < 9; ++r)
                for (int k = 0; k < 9; ++k) {
                    if (cases[r][k].chiffre != 0) continue;
                    int compte = 0;
                    for (int x : cases[r][k].possibles) compte += x;
                    if (compte == n) return r * 10 + k;
                }
        return -1;
    }

    void Poser(int code)
    {
        HypoRef* h;
        if (code >= 0) {
            h = &hypotheses[++niveauCourant];
            h->ligne = code / 10;
            h->colonne = code % 10;
            h->indice = 0;
            int n = 0;
            for (int x = 0; x < 9; ++x)
                if (cases[h->ligne][h->colonne].possibles[x]) h->chiffres[n++] = x + 1;
            h->chiffres[n] = -1;
        } else {
            h = &hypotheses[niveauCourant];
            ++h->indice;
        }
        auto& k = cases[h->ligne][h->colonne];
        k.chiffre = h->chiffres[h->indice];
        k.origine = HypoOrdi;
        k.niveau = niveauCourant;
        Tracer("Hypothese -> Case(%d,%d): Chiffre=%d Niveau=%d\n", h->ligne, h->colonne, k.chiffre);
    }

    void Annuler()
    {
        for (auto& ligne : cases)
            for (auto& k : ligne)
                if (k.niveau == niveauCourant) k.chiffre = k.origine = k.niveau = 0;
        for (int r = 0; r < 9; ++r)
            for (int k = 0; k < 9; ++k) CalculerPossibles(r, k);
    }

    bool Resoudre(int limite)
    {
        niveauCourant = 0;
        for (int n = 1;; ++n) {
            int e = Elimination(), u = 0;
            if (Pleine()) break;
            if (e != 2) {
                u = Unicite();
                if (Pleine()) break;
            }
            if (e == 2) {
                // Retour au dernier niveau qui a encore un chiffre à essayer.
                for (; niveauCourant > 0; --niveauCourant) {
                    Annuler();
                    const HypoRef& h = hypotheses[niveauCourant];
                    if (h.chiffres[h.indice + 1] > 0) break;
                }
                if (niveauCourant == 0) {
                    ++remisesAZero;
                    break;
                }
                Poser(-1);
            } else if (e == 0 && u == 0) {
                int h = Choisir();
                if (h == -1) {
                    ++remisesAZero;
                    break;
                }
                Poser(h);
            }
            if (n >= limite) break;
        }
        return Pleine() && Valide();
    }
};
