# Le démarrage vu de l'extérieur, sur un écran Xvfb : du lancement à la première image de la
# fenêtre qui montre son contenu, pour le jeu installé (démarrage simple, partie reprise, tous
# les choix de « Préférences » allumés) et pour une fenêtre Qt nue, le plancher que paie tout
# programme Qt, construite dans la même mesure. Lancements entremêlés, médianes de la même
# mesure : la machine chargée les ralentit tous autant, c'est le rapport qui compte.
# Les outils (demarrage.py, fenetre-nue.cpp) vivent hors du dépôt, dans MESURES ; sans eux,
# la mesure est sautée et le dit.
# Usage : exterieur.py DOSSIER-DE-CONSTRUCTION MESURES [LANCEMENTS]
import os
import re
import subprocess
import sys
import tempfile

RAPPORT_MAX = 1.2
CAS = ("simple", "reprise", "tout")


def main():
    construction, mesures = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    lancements = sys.argv[3] if len(sys.argv) > 3 else "9"
    if not os.path.isfile(os.path.join(mesures, "demarrage.py")):
        print(f"Démarrage vu de l'extérieur : SAUTÉ, pas d'outils de mesure dans {mesures}")
        return 0
    with tempfile.TemporaryDirectory(prefix="novemia-demarrage-") as tmp:
        # Le jeu installé comme chez un joueur (il trouve ses skins par les réglages de son
        # installation) ; réglages et données du joueur dans le dossier temporaire.
        installation = os.path.join(tmp, "installation")
        subprocess.run(["cmake", "--install", construction, "--prefix", installation],
                       check=True, stdout=subprocess.DEVNULL)
        nue = os.path.join(tmp, "fenetre-nue")
        qt = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Widgets"],
                            check=True, capture_output=True, text=True).stdout.split()
        subprocess.run(["g++", "-O2", "-fPIC", os.path.join(mesures, "fenetre-nue.cpp"), "-o", nue] + qt, check=True)
        programmes = []
        for cas in CAS:
            joueur = os.path.join(tmp, cas)
            subprocess.run([os.path.join(construction, "bench/fenetre/novemia-preparer-demarrage"), joueur, cas],
                           check=True)
            env = (f"XDG_CONFIG_HOME={joueur}/reglages,XDG_DATA_HOME={joueur}/donnees,"
                   f"XDG_CONFIG_DIRS={joueur}/machine")
            programmes.append(f"{cas}|Novemia|{env}|{installation}/bin/novemia")
        vide = os.path.join(tmp, "simple")
        programmes.append(f"nue|Bare|XDG_CONFIG_HOME={vide}/reglages,XDG_DATA_HOME={vide}/donnees|{nue}")
        sortie = subprocess.run(
            ["xvfb-run", "-a", "-s", "-screen 0 1920x1080x24", "python3", os.path.join(mesures, "demarrage.py"),
             lancements] + programmes,
            check=True, capture_output=True, text=True).stdout
    medianes = {m[0]: float(m[1]) for m in re.findall(r"^(\w+): .*median (\d+)", sortie, re.M)}
    print("Démarrage vu de l'extérieur (Xvfb, du lancement à la fenêtre peinte, médiane de "
          f"{lancements} lancements entremêlés) :")
    print("  " + sortie.strip().replace("\n", "\n  "))
    if "nue" not in medianes:
        print("  la fenêtre nue n'a jamais été peinte : pas de rapport")
        return 1
    for cas in CAS:
        if cas not in medianes:
            print(f"  {cas} : jamais peint — CIBLE MANQUÉE")
            continue
        rapport = medianes[cas] / medianes["nue"]
        print(f"  {cas} : {medianes[cas]:.0f} ms, {rapport:.2f} × la fenêtre nue ({medianes['nue']:.0f} ms)"
              f" (cible ≤ {RAPPORT_MAX} ×){' — CIBLE MANQUÉE' if rapport > RAPPORT_MAX else ''}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
