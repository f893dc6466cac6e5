#!/usr/bin/env python3
"""Rejoue une explication par techniques (la forme JSON de « novemia-cli expliquer --json »)
sur un modèle de la grille tenu ici, sans rien du programme : ses propres candidats, son
propre solveur par retour arrière, sa propre pile d'hypothèses.

Pour chaque étape :
  - une pose va dans une case vide dont le chiffre est encore candidat ; un retrait ôte un
    candidat qui l'était encore ;
  - un seul candidat, une seule place, sont bien seuls dans le modèle ;
  - une contradiction en est bien une dans le modèle (case sans candidat, chiffre sans place,
    chiffre répété) ;
  - tant que toutes les hypothèses ouvertes sont d'accord avec la solution (unique), chaque
    pose donne le chiffre de la solution et aucun retrait n'ôte le chiffre de la solution :
    une étape qui le contredit est « fausse ».
À la fin, la solution annoncée doit être la grille du modèle et la seule solution ; « null »
seulement si le solveur d'ici n'en trouve pas.

Usage : verifier_explication.py [FICHIER.json]   (l'entrée standard sans fichier)
Code de sortie 0 si tout est juste, 1 sinon ; le compte sur la sortie standard.
"""
import json
import sys

TOUS = frozenset(range(1, 10))
UNITES = ([[l * 9 + c for c in range(9)] for l in range(9)]
          + [[l * 9 + c for l in range(9)] for c in range(9)]
          + [[((r // 3) * 3 + k // 3) * 9 + (r % 3) * 3 + k % 3 for k in range(9)] for r in range(9)])
VOISINS = [sorted({j for u in UNITES if i in u for j in u} - {i}) for i in range(81)]
GENRES = {"ligne": 0, "colonne": 9, "region": 18}


def resoudre(grille, limite=2):
    """Les solutions de la grille (au plus `limite`), par retour arrière : la case vide aux
    moins de candidats d'abord, chiffres présents tenus en masques par ligne, colonne, région."""
    grille = list(grille)
    lig, col, reg = [0] * 9, [0] * 9, [0] * 9
    for i, d in enumerate(grille):
        if d:
            b = 1 << d
            r = (i // 27) * 3 + (i % 9) // 3
            if (lig[i // 9] | col[i % 9] | reg[r]) & b:
                return []
            lig[i // 9] |= b
            col[i % 9] |= b
            reg[r] |= b
    vides = [i for i in range(81) if not grille[i]]
    solutions = []

    def masque(i):
        return 0x3FE & ~(lig[i // 9] | col[i % 9] | reg[(i // 27) * 3 + (i % 9) // 3])

    def poser(i, d, oui):
        b = 1 << d
        l, c, r = i // 9, i % 9, (i // 27) * 3 + (i % 9) // 3
        grille[i] = d if oui else 0
        if oui:
            lig[l] |= b
            col[c] |= b
            reg[r] |= b
        else:
            lig[l] &= ~b
            col[c] &= ~b
            reg[r] &= ~b

    def chercher():
        if len(solutions) >= limite:
            return
        # Le choix le plus serré : une case aux moins de candidats, ou un chiffre aux moins
        # de places dans une unité.
        essais, nombre = None, 10
        masques = {}
        for i in vides:
            if not grille[i]:
                m = masques[i] = masque(i)
                n = bin(m).count("1")
                if n < nombre:
                    essais, nombre = [(i, d) for d in range(1, 10) if m >> d & 1], n
                    if n == 0:
                        return
        if essais is None:
            solutions.append(list(grille))
            return
        if nombre > 1:
            for u in UNITES:
                places = {}
                for i in u:
                    if i in masques:
                        m = masques[i]
                        for d in range(1, 10):
                            if m >> d & 1:
                                places.setdefault(d, []).append(i)
                poses = {grille[i] for i in u if grille[i]}
                for d in range(1, 10):
                    if d in poses:
                        continue
                    n = len(places.get(d, ()))
                    if n < nombre:
                        essais, nombre = [(i, d) for i in places.get(d, ())], n
                        if n == 0:
                            return
        for i, d in essais:
            poser(i, d, True)
            chercher()
            poser(i, d, False)

    chercher()
    return solutions


class Modele:
    def __init__(self, depart):
        self.valeur = list(depart)
        self.otes = [set() for _ in range(81)]

    def copie(self):
        m = Modele(self.valeur)
        m.otes = [set(o) for o in self.otes]
        return m

    def candidats(self, i):
        if self.valeur[i]:
            return set()
        return TOUS - {self.valeur[j] for j in VOISINS[i]} - self.otes[i]

    def bute(self):
        cands = [self.candidats(i) for i in range(81)]
        for i in range(81):
            if not self.valeur[i] and not cands[i]:
                return True
        for u in UNITES:
            poses = [self.valeur[i] for i in u if self.valeur[i]]
            if len(poses) != len(set(poses)):
                return True
            if set(poses).union(*(cands[i] for i in u)) != TOUS:
                return True
        return False


def verifier(explication):
    depart = [int(c) for c in explication["depart"]]
    solutions = resoudre(depart)
    unique = solutions[0] if len(solutions) == 1 else None
    modele = Modele(depart)
    pile = []        # (modèle d'avant, hypothèse juste ?) par niveau ouvert
    erreurs = []
    fausses = 0

    def justes():
        return unique is not None and all(juste for _, juste in pile)

    for n, e in enumerate(explication["etapes"], 1):
        t = e["technique"]
        ou = f"étape {n} ({t}) : "
        if t == "contradiction":
            if not modele.bute():
                erreurs.append(ou + "le modèle ne bute pas")
            if "faux" not in e:
                if pile:
                    erreurs.append(ou + "contradiction sans hypothèse à défaire")
                continue
            de, a = e["abandon"]
            if a != len(pile) or not 1 <= de <= a or e["niveau"] != de - 1:
                erreurs.append(ou + f"niveaux abandonnés {de} à {a} pour {len(pile)} ouverts")
                continue
            modele = pile[de - 1][0]
            del pile[de - 1:]
        elif t == "hypothese":
            if e["niveau"] != len(pile) + 1:
                erreurs.append(ou + f"niveau {e['niveau']} après {len(pile)} ouverts")
            p = e["poses"][0]
            i = (p["ligne"] - 1) * 9 + p["colonne"] - 1
            pile.append((modele.copie(), unique is not None and unique[i] == p["chiffre"]))
        elif e["niveau"] != len(pile):
            erreurs.append(ou + f"niveau {e['niveau']} pour {len(pile)} ouverts")

        # Les poses simples se vérifient sur le modèle d'avant l'étape.
        if t == "seul_candidat":
            p = e["poses"][0]
            i = (p["ligne"] - 1) * 9 + p["colonne"] - 1
            if modele.candidats(i) != {p["chiffre"]}:
                erreurs.append(ou + f"la case a pour candidats {sorted(modele.candidats(i))}")
        elif t.startswith("seule_place_"):
            p = e["poses"][0]
            u = e["unites"][0]
            cases = UNITES[GENRES[u["genre"]] + u["numero"] - 1]
            places = [i for i in cases if p["chiffre"] in modele.candidats(i)]
            if places != [(p["ligne"] - 1) * 9 + p["colonne"] - 1]:
                erreurs.append(ou + f"le {p['chiffre']} a {len(places)} places dans l'unité")

        for p in e["poses"]:
            i = (p["ligne"] - 1) * 9 + p["colonne"] - 1
            d = p["chiffre"]
            if d not in modele.candidats(i):
                erreurs.append(ou + f"pose du {d} en ({p['ligne']},{p['colonne']}) qui n'est pas candidat")
            elif t != "hypothese" and justes() and unique[i] != d:
                fausses += 1
                erreurs.append(ou + f"pose fausse du {d} en ({p['ligne']},{p['colonne']})")
            modele.valeur[i] = d
        for r in e["retraits"]:
            i = (r["ligne"] - 1) * 9 + r["colonne"] - 1
            d = r["chiffre"]
            if d not in modele.candidats(i):
                erreurs.append(ou + f"retrait du {d} en ({r['ligne']},{r['colonne']}) qui n'est pas candidat")
            elif justes() and unique[i] == d:
                fausses += 1
                erreurs.append(ou + f"retrait faux du {d} en ({r['ligne']},{r['colonne']})")
            modele.otes[i].add(d)

    if pile and explication["solution"] is None:
        erreurs.append("fin sans solution avec des hypothèses encore ouvertes")
    if explication["solution"] is None:
        if solutions:
            erreurs.append("solution annoncée absente, mais la grille en a une")
    else:
        annoncee = [int(c) for c in explication["solution"]]
        if annoncee != modele.valeur:
            erreurs.append("la solution annoncée n'est pas la grille rejouée")
        if unique is not None and annoncee != unique:
            erreurs.append("la solution annoncée n'est pas la solution unique")
        if annoncee not in solutions and unique is None and not resoudre(annoncee, 1):
            erreurs.append("la solution annoncée n'en est pas une")
    return len(explication["etapes"]), fausses, erreurs


def main():
    texte = open(sys.argv[1], encoding="utf-8").read() if len(sys.argv) > 1 else sys.stdin.read()
    # Une explication par objet ; plusieurs objets à la suite sont acceptés.
    decodeur = json.JSONDecoder()
    position, total, fausses, erreurs, explications = 0, 0, 0, [], 0
    while True:
        while position < len(texte) and texte[position].isspace():
            position += 1
        if position >= len(texte):
            break
        objet, position = decodeur.raw_decode(texte, position)
        n, f, err = verifier(objet)
        explications += 1
        total += n
        fausses += f
        erreurs += [f"explication {explications}, {x}" for x in err]
    for x in erreurs[:50]:
        print(x)
    print(f"{explications} explications, {total} étapes rejouées, {fausses} fausses, {len(erreurs)} erreurs")
    return 0 if not erreurs and explications > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
