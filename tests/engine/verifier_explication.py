#!/usr/bin/env python3
"""Vérifie une explication par techniques (la forme JSON de « novemia-cli expliquer --json »)
sans rien du programme : son propre modèle des candidats, son propre solveur, sa propre pile
d'hypothèses.

Le raisonnement, étape par étape, sur le modèle tenu ici (les indices, puis les poses et les
retraits des étapes déjà rejouées, sous les hypothèses ouvertes) :
  - les prémisses de la technique nommée tiennent avec les cases, unités et chiffres que
    l'étape nomme (une paire nue : ses deux cases, dans son unité, n'ont que ses deux chiffres) ;
  - chaque pose et chaque retrait découle de ces prémisses (un retrait de la paire nue ôte l'un
    de ses chiffres d'une autre case de l'unité) : une étape qui tombe juste avec de mauvaises
    raisons est refusée ;
  - une contradiction en est une, et l'hypothèse qu'elle abandonne est celle du dernier niveau
    ouvert, le seul abandonné ;
  - une étape faite sous des hypothèses ouvertes nomme son niveau dans son texte ;
  - une grille remplie sous hypothèses finit par une étape « solution », la dernière.
Cela ne dépend pas de la solution : vaut aussi sur une grille à plusieurs solutions.

Le résultat : tant que les hypothèses ouvertes sont toutes celles de la solution (unique),
aucune pose ne la contredit et aucun retrait n'ôte son chiffre (« fausse ») ; la solution
annoncée est la grille rejouée, et en est une ; « null » seulement s'il n'y en a pas ; l'étape
« solution » dit juste si elle est la seule ; le résumé ne compte que le chemin de la solution
(une hypothèse abandonnée en sort avec ce qu'elle a amené, la contradiction qui l'abandonne y
reste et compte le niveau abandonné).

Une technique de plus : une fonction (modèle, étape) qui vérifie ses prémisses par exiger()
et rend les poses et les retraits qu'elles permettent, inscrite dans TECHNIQUES ; une
mutation qui doit la faire refuser, dans MUTATIONS.

Usage : verifier_explication.py [--mutations] [FICHIER.json]   (l'entrée standard sans fichier)
  --mutations  vérifie le vérificateur lui-même : des étapes justes du fichier, altérées
               (mauvaise case, mauvaise unité, retrait de trop, mauvais chiffre), doivent
               toutes être refusées, et chaque technique doit en avoir au moins une.
Code de sortie 0 si tout est juste, 1 sinon ; le compte sur la sortie standard.
"""
import copy
import json
import re
import sys

TOUS = frozenset(range(1, 10))
UNITES = ([[l * 9 + c for c in range(9)] for l in range(9)]
          + [[l * 9 + c for l in range(9)] for c in range(9)]
          + [[((r // 3) * 3 + k // 3) * 9 + (r % 3) * 3 + k % 3 for k in range(9)] for r in range(9)])
DANS = [frozenset(u) for u in UNITES]
UNITES_DE = [[u for u in range(27) if i in DANS[u]] for i in range(81)]
VOISINS = [frozenset(j for u in UNITES_DE[i] for j in UNITES[u]) - {i} for i in range(81)]
GENRES = {"ligne": 0, "colonne": 1, "region": 2}


# La couverture exacte de la grille : chaque choix (case, chiffre) couvre sa case et le
# chiffre dans chacune de ses trois unités.
CHOIX = {(i, d): [("case", i)] + [("unite", u, d) for u in UNITES_DE[i]] for i in range(81) for d in range(1, 10)}
CONTRAINTES = {}
for _choix, _couvertes in CHOIX.items():
    for _c in _couvertes:
        CONTRAINTES.setdefault(_c, set()).add(_choix)


def resoudre(grille, limite=2):
    """Les solutions de la grille (au plus `limite`), par couverture exacte (l'algorithme X de
    Knuth) : chaque case, et chaque chiffre dans chaque ligne, colonne et région, une fois."""
    lignes = CHOIX
    contraintes = {c: set(choix) for c, choix in CONTRAINTES.items()}

    def prendre(choix):
        otees = []
        for c in lignes[choix]:
            for autre in contraintes[c]:
                for k in lignes[autre]:
                    if k != c:
                        contraintes[k].discard(autre)
            otees.append(contraintes.pop(c))
        return otees

    def rendre(choix, otees):
        for c in reversed(lignes[choix]):
            contraintes[c] = otees.pop()
            for autre in contraintes[c]:
                for k in lignes[autre]:
                    if k != c:
                        contraintes[k].add(autre)

    for i, d in enumerate(grille):
        if d:
            if not all(c in contraintes and (i, d) in contraintes[c] for c in lignes[(i, d)]):
                return []
            prendre((i, d))
    solutions, partielle = [], [d for d in grille]

    def chercher():
        if not contraintes:
            solutions.append(list(partielle))
            return
        c, moins = None, 10
        for k, choix in contraintes.items():
            if len(choix) < moins:
                c, moins = k, len(choix)
                if moins <= 1:
                    break
        for choix in sorted(contraintes[c]):
            otees = prendre(choix)
            partielle[choix[0]] = choix[1]
            chercher()
            rendre(choix, otees)
            if len(solutions) >= limite:
                return

    chercher()
    return solutions


class Injustifiee(Exception):
    """Une prémisse qui ne tient pas, ou un pas qui n'en découle pas."""


def exiger(condition, message):
    if not condition:
        raise Injustifiee(message)


def nom_case(i):
    return f"({i // 9 + 1},{i % 9 + 1})"


def noms(cases):
    return " ".join(nom_case(i) for i in sorted(cases)) or "aucune"


def nom_unite(u):
    return f"{('ligne', 'colonne', 'region')[u // 9]} {u % 9 + 1}"


class Etape:
    """L'étape JSON en indices d'ici : cases de 0 à 80, unités de 0 à 26 (lignes, colonnes,
    régions)."""

    def __init__(self, e):
        def case(c):
            exiger(1 <= c["ligne"] <= 9 and 1 <= c["colonne"] <= 9, f"case hors de la grille : {c}")
            return (c["ligne"] - 1) * 9 + c["colonne"] - 1

        def unite(u):
            exiger(1 <= u["numero"] <= 9, f"unité hors de la grille : {u}")
            return GENRES[u["genre"]] * 9 + u["numero"] - 1

        self.technique = e["technique"]
        self.niveau = e["niveau"]
        self.poses = [(case(p), p["chiffre"]) for p in e["poses"]]
        self.retraits = [(case(r), r["chiffre"]) for r in e["retraits"]]
        self.cases = [case(c) for c in e["cases"]]
        self.unites = [unite(u) for u in e["unites"]]
        self.chiffres = list(e["chiffres"])
        self.faux = (case(e["faux"]), e["faux"]["chiffre"]) if "faux" in e else None
        self.abandon = e.get("abandon")
        self.unique = e.get("unique")
        self.noeuds = [(tuple(case(c) for c in n["cases"]), n["chiffre"]) for n in e.get("noeuds", [])]
        self.liens = [(l["genre"] == "fort", unite(l["unite"]) if l["par"] == "unite" else None) for l in e.get("liens", [])]
        self.paires = [(tuple(case(c) for c in p["cases"]), unite(p["unite"])) for p in e.get("paires", [])]
        self.conflit = [case(c) for c in e.get("conflit", [])]
        preuve = e.get("preuve")
        self.essai = (case(preuve["essai"]), preuve["essai"]["chiffre"]) if preuve else None
        self.implications = [Etape(x) for x in preuve["implications"]] if preuve else []
        self.contradiction = Etape(preuve["contradiction"]) if preuve else None
        exiger(all(1 <= d <= 9 for _, d in self.poses + self.retraits) and all(1 <= d <= 9 for d in self.chiffres),
               "chiffre hors de 1 à 9")


class Modele:
    """Les chiffres posés et les candidats de chaque case vide : ceux que ni la ligne, ni la
    colonne, ni la région n'excluent, moins ceux que les étapes ont ôtés."""

    def __init__(self, depart, unique=False):
        self.unique = unique  # la grille de départ n'a qu'une solution (comptée ici)
        self.valeur = list(depart)
        self.cand = [set() if v else set(TOUS) for v in depart]
        for i, v in enumerate(depart):
            if v:
                for j in VOISINS[i]:
                    self.cand[j].discard(v)

    def copie(self):
        m = copy.copy(self)
        m.valeur = list(self.valeur)
        m.cand = [set(c) for c in self.cand]
        return m

    def poser(self, i, d):
        self.valeur[i] = d
        self.cand[i] = set()
        for j in VOISINS[i]:
            self.cand[j].discard(d)

    def places(self, u, d):
        return [i for i in UNITES[u] if d in self.cand[i]]

    def pose_dans(self, u, d):
        return any(self.valeur[i] == d for i in UNITES[u])

    def bute(self):
        for i in range(81):
            if not self.valeur[i] and not self.cand[i]:
                return True
        for u in range(27):
            poses = [self.valeur[i] for i in UNITES[u] if self.valeur[i]]
            if len(poses) != len(set(poses)) or set(poses).union(*(self.cand[i] for i in UNITES[u])) != TOUS:
                return True
        return False


# --- Les techniques : prémisses vérifiées sur le modèle, (poses, retraits) permis rendus ---

def un_seul(valeurs, quoi):
    exiger(len(valeurs) == 1, f"il faut un seul {quoi}, l'étape en nomme {len(valeurs)}")
    return valeurs[0]


def distincts(valeurs, k, quoi):
    exiger(len(valeurs) == k and len(set(valeurs)) == k, f"il faut {k} {quoi} différents, l'étape nomme {valeurs}")
    return valeurs


def cases_vides_dans(m, cases, u):
    for i in cases:
        exiger(i in DANS[u], f"{nom_case(i)} n'est pas dans la {nom_unite(u)}")
        exiger(not m.valeur[i], f"{nom_case(i)} est déjà remplie")


def seul_candidat(m, e):
    i, d = un_seul(e.cases, "case"), un_seul(e.chiffres, "chiffre")
    exiger(m.cand[i] == {d}, f"{nom_case(i)} a pour candidats {sorted(m.cand[i])}")
    return {(i, d)}, set()


def seule_place(genre):
    def verifier(m, e):
        u, i, d = un_seul(e.unites, "unité"), un_seul(e.cases, "case"), un_seul(e.chiffres, "chiffre")
        exiger(u // 9 == genre, f"la {nom_unite(u)} n'est pas du genre de la technique")
        places = m.places(u, d)
        exiger(places == [i], f"le {d} a pour places {noms(places)} dans la {nom_unite(u)}, pas {nom_case(i)}")
        return {(i, d)}, set()
    return verifier


def verrouille(genre):
    """Dans la source, toutes les places du chiffre sont dans la cible ; on l'ôte du reste de
    la cible. La source est une région et la cible une ligne ou une colonne, ou l'inverse."""
    def verifier(m, e):
        exiger(len(e.unites) == 2, "il faut deux unités, la source puis la cible")
        source, cible = e.unites
        d = un_seul(e.chiffres, "chiffre")
        exiger(source // 9 == genre and (source // 9 == 2) != (cible // 9 == 2),
               f"{nom_unite(source)} puis {nom_unite(cible)} : pas des genres de la technique")
        places = m.places(source, d)
        exiger(places and sorted(e.cases) == places,
               f"le {d} a pour places {noms(places)} dans la {nom_unite(source)}, l'étape nomme {noms(e.cases)}")
        exiger(all(i in DANS[cible] for i in places), f"une place du {d} est hors de la {nom_unite(cible)}")
        return set(), {(j, d) for j in UNITES[cible] if j not in DANS[source] and d in m.cand[j]}
    return verifier


def sous_ensemble_nu(k):
    """k cases vides d'une unité n'ont à elles toutes que k chiffres."""
    def verifier(m, e):
        u = un_seul(e.unites, "unité")
        cases = distincts(e.cases, k, "cases")
        cases_vides_dans(m, cases, u)
        union = set().union(*(m.cand[i] for i in cases))
        exiger(len(set(e.chiffres)) == k and union == set(e.chiffres),
               f"les cases {noms(cases)} ont pour candidats {sorted(union)}, l'étape dit {e.chiffres}")
        return set(), {(j, d) for j in UNITES[u] if j not in cases for d in union & m.cand[j]}
    return verifier


def sous_ensemble_cache(k):
    """k chiffres encore à placer dans une unité n'y ont à eux tous que k cases."""
    def verifier(m, e):
        u = un_seul(e.unites, "unité")
        cases = distincts(e.cases, k, "cases")
        chiffres = distincts(e.chiffres, k, "chiffres")
        cases_vides_dans(m, cases, u)
        for d in chiffres:
            exiger(not m.pose_dans(u, d), f"le {d} est déjà posé dans la {nom_unite(u)}")
            hors = set(m.places(u, d)) - set(cases)
            exiger(not hors, f"le {d} a aussi pour place {noms(hors)} dans la {nom_unite(u)}")
        return set(), {(i, d) for i in cases for d in m.cand[i] - set(chiffres)}
    return verifier


def poisson(k):
    """Dans k lignes (ou colonnes) de base, le chiffre, qu'il faut placer dans chacune, n'a de
    places que dans k colonnes (ou lignes) de couverture : on l'ôte du reste de celles-ci."""
    def verifier(m, e):
        d = un_seul(e.chiffres, "chiffre")
        exiger(len(e.unites) == 2 * k, f"il faut {k} bases puis {k} couvertures")
        bases, couvertures = distincts(e.unites[:k], k, "bases"), distincts(e.unites[k:], k, "couvertures")
        genre = bases[0] // 9
        exiger(genre < 2 and all(b // 9 == genre for b in bases) and all(c // 9 == 1 - genre for c in couvertures),
               "les bases sont toutes des lignes et les couvertures des colonnes, ou l'inverse")
        couvert = set().union(*(DANS[c] for c in couvertures))
        places = []
        for b in bases:
            exiger(not m.pose_dans(b, d), f"le {d} est déjà posé dans la {nom_unite(b)}")
            hors = set(m.places(b, d)) - couvert
            exiger(not hors, f"le {d} a aussi pour place {noms(hors)} dans la {nom_unite(b)}")
            places += m.places(b, d)
        exiger(sorted(e.cases) == sorted(places),
               f"les places du {d} dans les bases sont {noms(places)}, l'étape nomme {noms(e.cases)}")
        dans_bases = set().union(*(DANS[b] for b in bases))
        return set(), {(j, d) for j in couvert - dans_bases if d in m.cand[j]}
    return verifier


def xy_wing(m, e):
    """Un pivot {x,y} voit une pince {x,z} et une pince {y,z} : l'une des pinces vaut z, qu'on
    ôte des cases qui voient les deux."""
    exiger(len(e.cases) == 3, "il faut trois cases : le pivot puis les deux pinces")
    pivot, a, b = e.cases
    xy, xz, yz = m.cand[pivot], m.cand[a], m.cand[b]
    exiger(len(xy) == 2 and len(xz) == 2 and len(yz) == 2, "le pivot et les pinces ont chacun deux candidats")
    exiger(len(xy & xz) == 1 and len(xy & yz) == 1 and xy & xz != xy & yz and xz - xy == yz - xy,
           f"candidats {sorted(xy)}, {sorted(xz)}, {sorted(yz)} : pas un pivot {{x,y}} et des pinces {{x,z}}, {{y,z}}")
    exiger(a in VOISINS[pivot] and b in VOISINS[pivot], "le pivot ne voit pas les deux pinces")
    exiger(set(e.chiffres) == xy | xz, f"l'étape dit les chiffres {e.chiffres}, le wing porte {sorted(xy | xz)}")
    (z,) = xz - xy
    return set(), {(j, z) for j in VOISINS[a] & VOISINS[b] if z in m.cand[j]}


def xyz_wing(m, e):
    """Un pivot {x,y,z} voit une pince {x,z} et une pince {y,z} : l'une des trois vaut z, qu'on
    ôte des cases qui voient les trois."""
    exiger(len(e.cases) == 3, "il faut trois cases : le pivot puis les deux pinces")
    pivot, a, b = e.cases
    xyz, xz, yz = m.cand[pivot], m.cand[a], m.cand[b]
    exiger(len(xyz) == 3 and len(xz) == 2 and len(yz) == 2 and xz | yz == xyz and len(xz & yz) == 1,
           f"candidats {sorted(xyz)}, {sorted(xz)}, {sorted(yz)} : pas un pivot {{x,y,z}} et des pinces {{x,z}}, {{y,z}}")
    exiger(a in VOISINS[pivot] and b in VOISINS[pivot], "le pivot ne voit pas les deux pinces")
    exiger(set(e.chiffres) == xyz, f"l'étape dit les chiffres {e.chiffres}, le wing porte {sorted(xyz)}")
    (z,) = xz & yz
    return set(), {(j, z) for j in VOISINS[pivot] & VOISINS[a] & VOISINS[b] if z in m.cand[j]}


def noeud(m, n):
    """Un nœud : un candidat, ou un chiffre dans deux ou trois cases d'une région alignées."""
    cases, d = n
    exiger(1 <= len(cases) <= 3 and len(set(cases)) == len(cases), f"nœud de {len(cases)} cases")
    for i in cases:
        exiger(not m.valeur[i] and d in m.cand[i], f"le {d} n'est pas candidat en {nom_case(i)}")
    if len(cases) > 1:
        exiger(any(all(i in DANS[u] for i in cases) for u in range(18)) and any(all(i in DANS[u] for i in cases)
                                                                               for u in range(18, 27)),
               f"les cases {noms(cases)} ne sont pas alignées dans une région")
    return frozenset(cases), d


def contredit(i, d, n):
    """Le candidat (i, d) et le nœud ne peuvent être vrais tous deux."""
    cases, c = n
    if cases == {i}:
        return d != c
    return d == c and i not in cases and all(i in VOISINS[k] for k in cases)


def lien(m, a, b, fort, u):
    """Fort : l'un des deux nœuds est vrai ; faible : ils ne le sont pas tous deux."""
    (ca, da), (cb, db) = a, b
    if u is None:
        exiger(len(ca) == 1 and ca == cb and da != db, "un lien dans une case relie deux chiffres d'une même case")
        (i,) = ca
        exiger(not fort or m.cand[i] == {da, db}, f"{nom_case(i)} a pour candidats {sorted(m.cand[i])}")
        return
    exiger(da == db and not ca & cb and all(i in DANS[u] for i in ca | cb),
           f"le lien dans la {nom_unite(u)} ne relie pas deux places disjointes d'un même chiffre")
    places = set(m.places(u, da))
    exiger(not fort or places == ca | cb, f"le {da} a pour places {noms(places)} dans la {nom_unite(u)}")


def chaine(forme=None):
    """Des nœuds reliés par des liens forts et faibles alternés, fort en premier et en dernier :
    si le premier nœud est faux, le dernier est vrai ; un candidat qui contredit les deux est
    faux. `forme` vérifie ce que la technique ajoute (un seul chiffre, des cases à deux
    chiffres…)."""
    def verifier(m, e):
        noeuds = [noeud(m, n) for n in e.noeuds]
        exiger(len(noeuds) >= 2 and len(e.liens) == len(noeuds) - 1, "il faut des nœuds et un lien de moins")
        for k, (fort, u) in enumerate(e.liens):
            exiger(fort == (k % 2 == 0), f"le lien {k + 1} devrait être {'fort' if k % 2 == 0 else 'faible'}")
            lien(m, noeuds[k], noeuds[k + 1], fort, u)
        exiger(e.liens[-1][0], "le dernier lien n'est pas fort")
        exiger(sorted(set(e.cases)) == sorted(set().union(*(c for c, _ in noeuds))) and
               set(e.chiffres) == {d for _, d in noeuds}, "les cases ou les chiffres ne sont pas ceux des nœuds")
        debut, fin = noeuds[0], noeuds[-1]
        otes = {(i, d) for i in range(81) for d in m.cand[i] if contredit(i, d, debut) and contredit(i, d, fin)}
        if forme:
            otes |= forme(m, e, noeuds)
        return set(), otes
    return verifier


def un_chiffre(m, e, noeuds):
    exiger(len({d for _, d in noeuds}) == 1 and all(len(c) == 1 for c, _ in noeuds) and
           all(u is not None for _, u in e.liens), "une chaîne X relie les places d'un seul chiffre, par les unités")
    return set()


def gratte_ciel(m, e, noeuds):
    un_chiffre(m, e, noeuds)
    exiger(len(noeuds) == 4, "un gratte-ciel a quatre nœuds")
    (_, u1), (_, v), (_, u2) = e.liens
    exiger(u1 // 9 == u2 // 9 < 2 and v // 9 == 1 - u1 // 9,
           "deux lignes (ou colonnes) liées par une colonne (ou une ligne)")
    return set()


def cerf_volant(m, e, noeuds):
    un_chiffre(m, e, noeuds)
    exiger(len(noeuds) == 4, "un cerf-volant a quatre nœuds")
    (_, u1), (_, v), (_, u2) = e.liens
    exiger({u1 // 9, u2 // 9} == {0, 1} and v // 9 == 2, "une ligne et une colonne liées par une région")
    return set()


def cases_a_deux(m, e, noeuds):
    exiger(all(len(c) == 1 for c, _ in noeuds) and noeuds[0][1] == noeuds[-1][1] and
           all((u is None) == (k % 2 == 0) for k, (_, u) in enumerate(e.liens)),
           "une chaîne XY va de case à deux chiffres en case à deux chiffres, le même chiffre aux bouts")
    return set()


def paires_distantes(m, e, noeuds):
    """Une chaîne XY dont toutes les cases ont les deux mêmes chiffres : la même chaîne, les deux
    chiffres échangés, vaut aussi ; les retraits de l'autre chiffre en découlent."""
    cases_a_deux(m, e, noeuds)
    paire = {d for _, d in noeuds}
    exiger(len(paire) == 2 and all(m.cand[i] == paire for c, _ in noeuds for i in c),
           "des paires distantes n'ont que deux mêmes chiffres dans toutes leurs cases")
    (autre,) = paire - {noeuds[0][1]}
    debut, fin = (noeuds[0][0], autre), (noeuds[-1][0], autre)
    return {(i, autre) for i in range(81) if autre in m.cand[i] and contredit(i, autre, debut) and contredit(i, autre, fin)}


def w_wing(m, e, noeuds):
    exiger(len(noeuds) == 6 and all(len(c) == 1 for c, _ in noeuds) and
           [u is None for _, u in e.liens] == [True, False, False, False, True],
           "un W-wing : deux cases à deux chiffres et les deux places d'un chiffre entre elles")
    return set()


def coloriage(m, e):
    """Les paires de places d'un chiffre, de proche en proche, donnent deux couleurs ; le
    chiffre est dans toutes les cases d'une couleur. Deux cases de même couleur qui se voient :
    cette couleur est fausse ; sinon une case qui voit les deux couleurs n'a pas le chiffre."""
    d = un_seul(e.chiffres, "chiffre")
    exiger(e.paires, "il faut des paires")
    couleur = {e.paires[0][0][0]: 0}
    for (a, b), u in e.paires:
        exiger(set(m.places(u, d)) == {a, b} and not m.pose_dans(u, d),
               f"le {d} n'a pas pour seules places {noms([a, b])} dans la {nom_unite(u)}")
        exiger(a in couleur or b in couleur, "les paires ne se suivent pas de proche en proche")
        x, y = (a, b) if a in couleur else (b, a)
        exiger(couleur.setdefault(y, 1 - couleur[x]) != couleur[x], "deux cases d'une paire de même couleur")
    exiger(sorted(e.cases) == sorted(couleur), "les cases ne sont pas celles des paires")
    if e.conflit:
        x, y = e.conflit
        exiger(x in couleur and y in couleur and couleur[x] == couleur[y] and y in VOISINS[x],
               "le conflit n'est pas entre deux cases de même couleur qui se voient")
        return set(), {(i, d) for i, c in couleur.items() if c == couleur[x]}
    vues = [set().union(*(VOISINS[i] for i, c in couleur.items() if c == k)) for k in (0, 1)]
    return set(), {(j, d) for j in vues[0] & vues[1] if j not in couleur and d in m.cand[j]}


def rectangle_unique(m, e):
    """Sur une grille à une seule solution : quatre coins sur deux lignes, deux colonnes et deux
    régions, trois n'ont que a et b ; le quatrième ne peut pas avoir a ni b."""
    exiger(m.unique, "la grille n'a pas une seule solution")
    coins = distincts(e.cases, 4, "cases")
    ab = set(distincts(e.chiffres, 2, "chiffres"))
    exiger(len({i // 9 for i in coins}) == 2 and len({i % 9 for i in coins}) == 2 and
           len({UNITES_DE[i][2] for i in coins}) == 2, "les quatre cases ne font pas un rectangle sur deux régions")
    exiger(all(not m.valeur[i] for i in coins), "un coin est déjà rempli")
    exiger(all(m.cand[i] == ab for i in coins[:3]) and ab < m.cand[coins[3]],
           "trois coins n'ont pas que les deux chiffres, ou le quatrième pas plus")
    return set(), {(coins[3], d) for d in ab}


def bug_plus_1(m, e):
    """Sur une grille à une seule solution : toutes les cases vides ont deux chiffres sauf une,
    qui en a trois ; sans x, chaque chiffre aurait zéro ou deux places dans chaque unité : x va
    dans cette case."""
    exiger(m.unique, "la grille n'a pas une seule solution")
    i, x = e.cases[0], un_seul(e.chiffres, "chiffre")
    exiger(len(m.cand[i]) == 3 and x in m.cand[i], f"{nom_case(i)} n'a pas trois chiffres dont le {x}")
    exiger(all(len(m.cand[j]) == 2 for j in range(81) if not m.valeur[j] and j != i),
           "une autre case vide n'a pas deux chiffres")
    for u in range(27):
        for d in TOUS:
            n = len(m.places(u, d)) - (d == x and i in DANS[u])
            exiger(n in (0, 2), f"sans le {x}, le {d} aurait {n} places dans la {nom_unite(u)}")
    return {(i, x)}, set()


def preuve(m, e):
    """Le candidat essayé, puis chaque implication (une pose simple, vraie sous l'essai et les
    précédentes), jusqu'à une contradiction : le candidat est faux."""
    exiger(e.essai is not None and e.retraits == [e.essai] and e.cases == [e.essai[0]] and e.chiffres == [e.essai[1]],
           "la preuve ôte son seul essai")
    i, d = e.essai
    exiger(d in m.cand[i], f"le {d} n'est pas candidat en {nom_case(i)}")
    t = m.copie()
    t.poser(i, d)
    for k, x in enumerate(e.implications, 1):
        exiger(x.technique in POSES_SIMPLES, f"implication {k} : {x.technique} n'est pas une pose simple")
        poses, _ = TECHNIQUES[x.technique](t, x)
        exiger(x.poses and set(x.poses) <= poses and not x.retraits, f"implication {k} : la pose ne découle pas")
        for j, c in x.poses:
            t.poser(j, c)
    exiger(e.contradiction is not None and e.contradiction.technique == "contradiction", "la preuve finit sans contradiction")
    contradiction(t, e.contradiction)
    return set(), {(i, d)}


def hypothese(m, e):
    i, d = un_seul(e.cases, "case"), un_seul(e.chiffres, "chiffre")
    exiger(d in m.cand[i], f"le {d} n'est pas candidat en {nom_case(i)}")
    return {(i, d)}, set()


def contradiction(m, e):
    """Une case vide sans candidat (la case) ; un chiffre répété (l'unité, le chiffre et ses
    cases) ; un chiffre sans place (l'unité et le chiffre). Le retrait de l'hypothèse fausse est
    vérifié avec la pile."""
    if not e.unites:
        i = un_seul(e.cases, "case")
        exiger(not m.valeur[i] and not m.cand[i], f"{nom_case(i)} a encore un chiffre ou des candidats")
        return set(), set()
    u, d = un_seul(e.unites, "unité"), un_seul(e.chiffres, "chiffre")
    if e.cases:
        tenues = [i for i in UNITES[u] if m.valeur[i] == d]
        exiger(len(tenues) >= 2 and sorted(e.cases) == tenues, f"le {d} est en {noms(tenues)} dans la {nom_unite(u)}")
    else:
        exiger(not m.pose_dans(u, d) and not m.places(u, d), f"le {d} a encore une place dans la {nom_unite(u)}")
    return set(), set()


TECHNIQUES = {
    "seul_candidat": seul_candidat,
    "seule_place_ligne": seule_place(0),
    "seule_place_colonne": seule_place(1),
    "seule_place_region": seule_place(2),
    "verrouille_region": verrouille(2),
    "verrouille_ligne": verrouille(0),
    "verrouille_colonne": verrouille(1),
    "paire_nue": sous_ensemble_nu(2),
    "paire_cachee": sous_ensemble_cache(2),
    "triplet_nu": sous_ensemble_nu(3),
    "triplet_cache": sous_ensemble_cache(3),
    "x_wing": poisson(2),
    "swordfish": poisson(3),
    "xy_wing": xy_wing,
    "xyz_wing": xyz_wing,
    "w_wing": chaine(w_wing),
    "gratte_ciel": chaine(gratte_ciel),
    "cerf_volant": chaine(cerf_volant),
    "rectangle_unique": rectangle_unique,
    "bug_plus_1": bug_plus_1,
    "coloriage": coloriage,
    "paires_distantes": chaine(paires_distantes),
    "chaine_x": chaine(un_chiffre),
    "chaine_xy": chaine(cases_a_deux),
    "chaine_alternee": chaine(),
    "preuve": preuve,
    "hypothese": hypothese,
    "contradiction": contradiction,
}

POSES_SIMPLES = ("seul_candidat", "seule_place_ligne", "seule_place_colonne", "seule_place_region")
CHAINES = {"w_wing", "gratte_ciel", "cerf_volant", "paires_distantes", "chaine_x", "chaine_xy", "chaine_alternee"}


def justifier(m, e, pile):
    """Vérifie le raisonnement de l'étape sur le modèle d'avant elle ; lève Injustifiee. Pour
    une contradiction qui abandonne des hypothèses, rend le modèle où l'on revient."""
    exiger(e.technique in TECHNIQUES, f"technique inconnue {e.technique!r}")
    exiger(e.niveau == len(pile) + (e.technique == "hypothese") or e.faux,
           f"niveau {e.niveau} avec {len(pile)} hypothèses ouvertes")
    poses, retraits = TECHNIQUES[e.technique](m, e)
    if e.technique == "contradiction":
        return retour_d_hypothese(m, e, pile)
    exiger(len(set(e.poses)) == len(e.poses) and len(set(e.retraits)) == len(e.retraits), "pas répété")
    for i, d in e.poses + e.retraits:
        exiger(d in m.cand[i], f"le {d} n'est pas candidat en {nom_case(i)}")
    for i, d in e.poses:
        exiger((i, d) in poses, f"la pose du {d} en {nom_case(i)} ne découle pas de la technique")
    for i, d in e.retraits:
        exiger((i, d) in retraits, f"le retrait du {d} en {nom_case(i)} ne découle pas de la technique")
    exiger(e.poses or e.retraits, "l'étape ne pose ni n'ôte rien")
    return m


def retour_d_hypothese(m, e, pile):
    """Sans hypothèse, la contradiction finit l'explication. Sinon, l'hypothèse du niveau le
    plus haut est fausse, et seulement elle : on revient au niveau d'en dessous, sans elle."""
    if e.faux is None:
        exiger(not pile and not e.poses and not e.retraits, "contradiction sans hypothèse à défaire")
        return m
    exiger(e.abandon is not None and len(e.abandon) == 2, "niveaux abandonnés absents")
    de, a = e.abandon
    exiger(de == a == len(pile) and e.niveau == a - 1,
           f"niveaux abandonnés {de} à {a}, niveau {e.niveau}, pour {len(pile)} ouverts")
    exiger(e.faux == pile[-1][1], f"le {e.faux[1]} en {nom_case(e.faux[0])} n'est pas l'hypothèse du niveau {a}")
    exiger(e.retraits == [e.faux] and not e.poses, "le seul retrait est l'hypothèse fausse")
    return pile.pop()[0]


def verifier(explication, resultat=True, avant_etape=None):
    """Rejoue l'explication ; rend (étapes rejouées, fausses, erreurs, unique ?). Sans
    `resultat`, seul le raisonnement est vérifié ; `avant_etape` reçoit (numéro, modèle, étape
    JSON, hypothèses ouvertes toutes justes ?) avant chaque étape."""
    depart = [int(c) for c in explication["depart"]]
    # Les techniques d'unicité en ont besoin même quand seul le raisonnement compte.
    solutions = resoudre(depart)
    unique = solutions[0] if resultat and len(solutions) == 1 else None
    m = Modele(depart, len(solutions) == 1)
    if resultat and explication.get("unique") != (len(solutions) == 1):
        erreurs_depart = [f"unique : {explication.get('unique')} pour {len(solutions)} solutions (au plus 2)"]
    else:
        erreurs_depart = []
    pile = []  # (modèle d'avant, hypothèse, juste ?) par niveau ouvert
    erreurs, fausses, n = erreurs_depart, 0, 0
    # Le compte du chemin de la solution, et celui d'avant chaque hypothèse ouverte.
    compte, comptes = ({}, 0), []
    etapes = explication["etapes"]
    for n, brut in enumerate(etapes, 1):
        ou = f"étape {n} ({brut.get('technique')}) : "
        justes = unique is not None and all(j for _, _, j in pile)
        if avant_etape:
            avant_etape(n, m, brut, justes)
        niveau = brut.get("niveau", 0)
        if niveau > 0 and not re.search(rf"\bniveaux? (?:\d+ à )?{niveau}\b", brut.get("texte", "")):
            erreurs.append(ou + f"le texte ne nomme pas le niveau {niveau} : {brut.get('texte')}")
        if brut.get("technique") == "solution":
            if n != len(etapes) or not pile or niveau != len(pile) or not all(m.valeur):
                erreurs.append(ou + f"grille pleine sous {len(pile)} hypothèses mal dite")
            if resultat and brut.get("unique") != (len(solutions) == 1):
                erreurs.append(ou + f"unique : {brut.get('unique')} pour {len(solutions)} solutions (au plus 2)")
            continue
        if brut.get("technique") == "hypothese" and (brut.get("unique") != m.unique or (
                "plusieurs solutions" in brut.get("texte", "")) == m.unique):
            erreurs.append(ou + f"l'hypothèse dit mal si la grille a une seule solution : {brut.get('texte')}")
        try:
            e = Etape(brut)
        except (Injustifiee, KeyError, TypeError) as x:
            erreurs.append(ou + f"étape illisible ({x})")
            break
        if e.technique == "hypothese":
            comptes.append(compte)
        elif e.faux and comptes:
            compte = comptes.pop()
        techniques, niveau_max = compte
        compte = (techniques | {e.technique: techniques.get(e.technique, 0) + 1},
                  max(niveau_max, e.niveau + 1 if e.faux else e.niveau))
        try:
            m = justifier(m, e, pile)
        except Injustifiee as x:
            erreurs.append(ou + str(x))
        if e.technique == "hypothese" and e.poses:
            i, d = e.poses[0]
            pile.append((m.copie(), (i, d), unique is not None and unique[i] == d))
        elif justes:
            for i, d in e.poses:
                if unique[i] != d:
                    fausses += 1
                    erreurs.append(ou + f"pose fausse du {d} en {nom_case(i)}")
            for i, d in e.retraits:
                if unique[i] == d:
                    fausses += 1
                    erreurs.append(ou + f"retrait faux du {d} en {nom_case(i)}")
        for i, d in e.poses:
            m.poser(i, d)
        for i, d in e.retraits:
            m.cand[i].discard(d)
    if resultat:
        erreurs += verifier_solution(explication["solution"], m, pile, solutions)
        if pile and explication["solution"] is not None and etapes[-1]["technique"] != "solution":
            erreurs.append("grille pleine sous hypothèses sans étape « solution »")
        resume = explication.get("resume")
        if resume and (resume["techniques"], resume["niveau_max"]) != compte:
            erreurs.append(f"résumé {resume['techniques']}, niveau {resume['niveau_max']} ; chemin de la solution "
                           f"{compte[0]}, niveau {compte[1]}")
    return n, fausses, erreurs, unique is not None


def verifier_solution(annoncee, m, pile, solutions):
    if annoncee is None:
        return (["fin sans solution, mais la grille en a une"] if solutions else []) + (
            ["fin sans solution avec des hypothèses encore ouvertes"] if pile else [])
    erreurs = []
    annoncee = [int(c) for c in annoncee]
    if annoncee != m.valeur:
        erreurs.append("la solution annoncée n'est pas la grille rejouée")
    if len(solutions) == 1 and annoncee != solutions[0]:
        erreurs.append("la solution annoncée n'est pas la solution unique")
    if annoncee not in solutions and not resoudre(annoncee, 1):
        erreurs.append("la solution annoncée n'en est pas une")
    return erreurs


# --- Le vérificateur contre lui-même : des étapes altérées qu'il doit refuser ---
#
# Chaque mutation rend une copie altérée de l'étape, ou None quand elle ne s'y applique pas.
# Sur une grille unique, au niveau 0, le modèle est celui d'une position sans contradiction :
# aucune de ces altérations n'y reste justifiée (une case changée dans une paire nue ferait
# trois cases pour deux chiffres, etc.). Les hypothèses et les contradictions se prennent à
# tout niveau : leurs altérations se lisent sur le modèle.

def en_json(e):
    def case(i, d=None):
        return {"ligne": i // 9 + 1, "colonne": i % 9 + 1} | ({} if d is None else {"chiffre": d})

    def unite(u):
        return {"genre": ("ligne", "colonne", "region")[u // 9], "numero": u % 9 + 1}

    x = {"technique": e.technique, "niveau": e.niveau, "poses": [case(*p) for p in e.poses],
         "retraits": [case(*r) for r in e.retraits], "cases": [case(i) for i in e.cases],
         "unites": [unite(u) for u in e.unites], "chiffres": e.chiffres}
    if e.faux:
        x |= {"faux": case(*e.faux), "abandon": e.abandon}
    if e.unique is not None:
        x["unique"] = e.unique
    if e.noeuds:
        x["noeuds"] = [{"cases": [case(i) for i in sorted(c)], "chiffre": d} for c, d in e.noeuds]
        x["liens"] = [{"genre": "fort" if f else "faible"} | ({"par": "case"} if u is None else {"par": "unite", "unite": unite(u)})
                      for f, u in e.liens]
    if e.paires:
        x["paires"] = [{"cases": [case(a), case(b)], "unite": unite(u)} for (a, b), u in e.paires]
    if e.conflit:
        x["conflit"] = [case(i) for i in e.conflit]
    if e.essai:
        x["preuve"] = {"essai": case(*e.essai), "implications": [en_json(i) for i in e.implications],
                       "contradiction": en_json(e.contradiction)}
    return x


def unite_de(e):
    return e.unites[0] if e.unites else e.cases[0] // 9


def muter_case(m, e):
    """Une case de la justification remplacée par une autre case vide de la même unité (les
    poses restent justes) ; pour un XY-wing ou un XYZ-wing, le pivot et une pince échangés ;
    pour un BUG+1, la case à trois chiffres et une autre."""
    if e.technique in ("xy_wing", "xyz_wing", "bug_plus_1"):
        e.cases[:2] = e.cases[1::-1]
        return e
    if not e.cases or (e.technique == "contradiction" and e.unites):
        return None
    autres = [i for i in UNITES[unite_de(e)]
              if not m.valeur[i] and i not in e.cases and (m.cand[i] or e.technique != "contradiction")]
    e.cases[0:1] = autres[:1]
    return e if autres else None


def muter_unite(m, e):
    """La première unité remplacée par une autre du même genre ; pour un chiffre sans place,
    une où il a encore une place."""
    if e.technique == "contradiction" and e.cases:
        return None
    u = e.unites[0]
    autres = [v for v in range(u - u % 9, u - u % 9 + 9) if v != u and (
        e.technique != "contradiction" or m.pose_dans(v, e.chiffres[0]) or m.places(v, e.chiffres[0]))]
    e.unites[0:1] = autres[:1]
    return e if autres else None


def muter_retrait(m, e):
    """Un retrait de plus qui ne découle pas de la technique : pour une pose, un autre
    candidat d'une autre case de l'unité ; pour un retrait, l'un des chiffres de la technique
    ôté d'une case de ses prémisses ; pour une contradiction, un autre faux."""
    if e.technique == "contradiction":
        if not e.faux:
            return None
        e.faux = ((e.faux[0] + 1) % 81, e.faux[1])
        e.retraits = [e.faux]
        return e
    if e.technique in CHAINES or e.technique in ("coloriage", "preuve"):
        # Un candidat de la chaîne, du coloriage ou de l'essai qui n'est pas ôté : le premier
        # nœud (il ne contredit pas lui-même), une case d'une couleur non ôtée, un autre
        # candidat de la case essayée.
        cases = [min(e.noeuds[0][0])] if e.noeuds else e.cases
        choix = [(i, d) for i in cases for d in sorted(m.cand[i])
                 if (i, d) not in e.retraits and (e.technique == "preuve" or d in e.chiffres[:1] + [
                     n[1] for n in e.noeuds[:1]])]
        e.retraits += choix[:1]
        return e if choix else None
    if e.poses:
        i, d = e.poses[0]
        choix = [(j, x) for j in UNITES[unite_de(e)] if j != i and not m.valeur[j] for x in sorted(m.cand[j] - {d})]
    else:
        choix = [(j, x) for j in e.cases for x in e.chiffres if x in m.cand[j] and (j, x) not in e.retraits]
    e.retraits += choix[:1]
    return e if choix else None


def muter_chiffre(m, e):
    """Le chiffre de la technique remplacé par un autre : pour une seule place, un autre
    candidat de la case ; pour une autre pose, un non-candidat ; pour un retrait, le premier
    chiffre nommé remplacé par un chiffre qui n'y est pas."""
    if e.poses:
        i, d = e.poses[0]
        choix = sorted(m.cand[i] - {d} if e.technique.startswith("seule_place") else TOUS - m.cand[i])
        e.poses[0:1], e.chiffres = [(i, x) for x in choix[:1]], choix[:1]
        return e if choix else None
    e.chiffres[0] = min(TOUS - set(e.chiffres))
    e.chiffres.sort()
    return e


def muter_lien(m, e):
    """Le premier lien d'une chaîne rendu faible : un lien fort doit ouvrir la chaîne."""
    e.liens[0] = (False, e.liens[0][1])
    return e


def muter_noeud(m, e):
    """Le dernier nœud déplacé : dans une autre case vide de l'unité de son lien (où son
    chiffre n'a pas de place), ou, lié dans sa case, sur un chiffre qui n'y est pas."""
    cases, d = e.noeuds[-1]
    _, u = e.liens[-1]
    if u is None:
        (i,) = cases
        autres = sorted(TOUS - m.cand[i])
        e.noeuds[-1] = (cases, autres[0]) if autres else e.noeuds[-1]
        return e if autres else None
    autres = [i for i in UNITES[u] if not m.valeur[i] and d not in m.cand[i]]
    e.noeuds[-1] = ((autres[0],) if autres else cases, d)
    return e if autres else None


def muter_paire(m, e):
    """La première paire d'un coloriage dite dans une unité qui ne contient pas ses deux cases."""
    (a, b), _ = e.paires[0]
    autres = [u for u in range(27) if a not in DANS[u] or b not in DANS[u]]
    e.paires[0] = ((a, b), autres[0])
    return e


def muter_contradiction(m, e):
    """La contradiction d'une preuve dite sur la case essayée, qui porte l'essai."""
    e.contradiction = copy.deepcopy(e.contradiction)
    e.contradiction.cases, e.contradiction.unites, e.contradiction.chiffres = [e.essai[0]], [], []
    return e


# Chaque mutation (qui rend l'étape altérée, ou None quand elle ne s'y applique pas) et les
# techniques dont elle doit faire refuser une étape.
AVEC_UNITE = {t for t in TECHNIQUES if t.startswith(("seule_place", "verrouille", "paire_", "triplet"))} | {
    "x_wing", "swordfish", "contradiction"}
MUTATIONS = {
    "case": (muter_case, set(TECHNIQUES)),
    "unite": (muter_unite, AVEC_UNITE),
    "retrait": (muter_retrait, set(TECHNIQUES)),
    "chiffre": (muter_chiffre, set(TECHNIQUES) - {"xy_wing", "contradiction", "preuve"}),
    "lien": (muter_lien, CHAINES),
    "noeud": (muter_noeud, CHAINES),
    "paire": (muter_paire, {"coloriage"}),
    "contradiction": (muter_contradiction, {"preuve"}),
}


def mutants(explication, restant):
    """Les étapes altérées de l'explication, une par paire (technique, mutation) encore dans
    `restant`, qui en est ôtée ; et les erreurs de l'explication d'origine."""
    trouves = []

    def noter(n, m, brut, justes):
        t = brut["technique"]
        if not justes and t not in ("hypothese", "contradiction"):
            return
        for nom, (muter, _) in MUTATIONS.items():
            if (t, nom) in restant:
                x = muter(m, copy.deepcopy(Etape(brut)))
                if x is not None:
                    restant.discard((t, nom))
                    trouves.append((n, t, nom, en_json(x)))

    _, _, erreurs, _ = verifier(explication, avant_etape=noter)
    return trouves, erreurs


def essayer_mutations(explications):
    """Chaque étape altérée doit être refusée à sa place, par le raisonnement seul ; chaque
    mutation doit avoir altéré une étape de chacune de ses techniques."""
    restant = {(t, nom) for nom, (_, techniques) in MUTATIONS.items() for t in techniques}
    erreurs, essais = [], 0
    for k, explication in enumerate(explications, 1):
        if not any((e["technique"], nom) in restant for e in explication["etapes"] for nom in MUTATIONS):
            continue
        trouves, refus = mutants(explication, restant)
        erreurs += [f"explication {k} d'origine refusée : {x}" for x in refus]
        for n, t, nom, x in trouves:
            alteree = dict(explication, etapes=explication["etapes"][:n - 1] + [x])
            err = verifier(alteree, resultat=False)[2]
            essais += 1
            if not any(f.startswith(f"étape {n} ") for f in err):
                erreurs.append(f"mutation « {nom} » de l'étape {n} ({t}) acceptée : {json.dumps(x, ensure_ascii=False)}")
    erreurs += [f"aucune étape {t} à altérer par « {nom} »" for t, nom in sorted(restant)]
    return essais, erreurs


def lire(texte):
    """Une explication par objet ; plusieurs objets à la suite sont acceptés."""
    decodeur, position = json.JSONDecoder(), 0
    while True:
        while position < len(texte) and texte[position].isspace():
            position += 1
        if position >= len(texte):
            return
        objet, position = decodeur.raw_decode(texte, position)
        yield objet


def main():
    arguments = sys.argv[1:]
    mutations = "--mutations" in arguments
    arguments = [a for a in arguments if a != "--mutations"]
    texte = open(arguments[0], encoding="utf-8").read() if arguments else sys.stdin.read()
    explications = list(lire(texte))
    if mutations:
        essais, erreurs = essayer_mutations(explications)
        for x in erreurs[:50]:
            print(x)
        print(f"{essais} étapes altérées, {len(erreurs)} erreurs")
        return 0 if not erreurs else 1
    total, fausses, plusieurs, erreurs = 0, 0, 0, []
    for k, objet in enumerate(explications, 1):
        n, f, err, unique = verifier(objet)
        total += n
        fausses += f
        plusieurs += not unique
        erreurs += [f"explication {k}, {x}" for x in err]
    for x in erreurs[:50]:
        print(x)
    print(f"{len(explications)} explications ({plusieurs} sans solution unique), {total} étapes rejouées, "
          f"{fausses} fausses, {len(erreurs)} erreurs")
    return 0 if not erreurs and explications else 1


if __name__ == "__main__":
    sys.exit(main())
