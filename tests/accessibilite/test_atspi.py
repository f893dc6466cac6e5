#!/usr/bin/python3
# Le jeu tel qu'un lecteur d'écran le voit : lancé sur un écran virtuel (Xvfb), dans un bus
# de session privé avec le registre AT-SPI, il est lu par pyatspi comme Orca le lirait.
# On génère une grille et on déplace le curseur au clavier (xdotool), puis on vérifie les
# noms des cases, les rôles et états de la palette, la case qui a le focus, les notes d'une
# case, la ligne d'état et la question « Alerte ».
#
# Usage (par CTest) : dbus-run-session -- test_atspi.py NOVEMIA DOSSIER_DES_SKINS
# Code 77 : aucun bus de session n'a pu être lancé (le test est alors sauté).
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SAUTE = 77


def echouer(message):
    print("ÉCHEC : " + message, flush=True)
    sys.exit(1)


def attendre(condition, delai=10.0, pas=0.1):
    fin = time.time() + delai
    while time.time() < fin:
        resultat = condition()
        if resultat:
            return resultat
        time.sleep(pas)
    return None


def main():
    if len(sys.argv) != 3:
        echouer("usage : test_atspi.py NOVEMIA DOSSIER_DES_SKINS")
    novemia, skins = sys.argv[1], sys.argv[2]
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        print("Sauté : aucun bus de session D-Bus (lancer sous dbus-run-session).", flush=True)
        sys.exit(SAUTE)
    try:
        import pyatspi
    except ImportError:
        echouer("pyatspi manque (paquet python3-pyatspi, scripts/installer-dependances.sh)")
    for programme in ("Xvfb", "xdotool"):
        if shutil.which(programme) is None:
            echouer(programme + " manque (scripts/installer-dependances.sh)")
    lanceur = "/usr/libexec/at-spi-bus-launcher"
    if not os.access(lanceur, os.X_OK):
        echouer(lanceur + " manque (paquet at-spi2-core)")

    processus = []
    dossier = tempfile.mkdtemp(prefix="novemia-atspi-")
    try:
        # Un écran virtuel : Xvfb écrit le numéro d'écran choisi sur le descripteur donné.
        lecture, ecriture = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(ecriture), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                pass_fds=(ecriture,), stderr=subprocess.DEVNULL)
        processus.append(xvfb)
        os.close(ecriture)
        with os.fdopen(lecture) as flux:
            ecran = ":" + flux.readline().strip()
        processus.append(subprocess.Popen([lanceur, "--launch-immediately"], stderr=subprocess.DEVNULL))

        # Des réglages à part : le dossier de l'application mène aux skins construits.
        appli = os.path.join(dossier, "appli")
        os.makedirs(appli)
        os.symlink(os.path.abspath(skins), os.path.join(appli, "skin"))
        os.makedirs(os.path.join(dossier, "config"))
        with open(os.path.join(dossier, "config", "Novemia.conf"), "w", encoding="utf-8") as reglages:
            reglages.write("s2gAppDir=" + appli + "\nSkin=Papier\n")
        execution = os.path.join(dossier, "execution")
        os.makedirs(execution, mode=0o700)
        env = dict(os.environ, DISPLAY=ecran, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   HOME=dossier, XDG_CONFIG_HOME=os.path.join(dossier, "config"), XDG_CONFIG_DIRS=dossier,
                   XDG_RUNTIME_DIR=execution)
        jeu = subprocess.Popen([novemia], env=env, cwd=dossier, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processus.append(jeu)

        def application():
            bureau = pyatspi.Registry.getDesktop(0)
            for app in bureau:
                if app is not None and app.name == "novemia" and app.childCount > 0:
                    return app
            return None

        app = attendre(application)
        if app is None:
            echouer("le jeu n'apparaît pas dans l'arbre AT-SPI")

        # Les annonces que reçoit un lecteur d'écran : (genre, rôle et nom de la source, détail).
        from gi.repository import GLib
        annonces = []

        def surAnnonce(evenement):
            source = evenement.source
            annonces.append((evenement.type, source.getRoleName() if source else "", source.name if source else "",
                             evenement.detail1))

        pyatspi.Registry.registerEventListener(surAnnonce, "object:state-changed:focused",
                                               "object:property-change:accessible-name")

        def pomper(secondes):
            contexte = GLib.MainContext.default()
            fin = time.time() + secondes
            while time.time() < fin:
                while contexte.iteration(False):
                    pass
                time.sleep(0.02)

        def touches(*noms):
            for nom in noms:
                subprocess.run(["xdotool", "key", "--delay", "60", nom], env=env, check=True)
            pomper(0.5)

        def fenetre():
            return app[0]

        def etiquettes(role):
            trouves = []

            def parcourir(objet, profondeur):
                if profondeur > 6:
                    return
                for enfant in objet:
                    if enfant is None:
                        continue
                    if enfant.getRoleName() == role:
                        trouves.append(enfant)
                    parcourir(enfant, profondeur + 1)

            parcourir(fenetre(), 0)
            return trouves

        def etat(objet, drapeau):
            return objet.getState().contains(drapeau)

        def statut():
            barres = etiquettes("status bar")
            return barres[0].name if barres else ""

        fenetres = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Novemia$"], env=env, capture_output=True, text=True)
        identifiant = fenetres.stdout.split()[-1] if fenetres.stdout.split() else None
        if identifiant is None:
            echouer("fenêtre Novemia introuvable par xdotool")
        subprocess.run(["xdotool", "windowfocus", "--sync", identifiant], env=env, check=True)

        # Avant toute grille : 81 cases vides nommées par leur place, de 1 à 9.
        cases = [e for e in etiquettes("label") if e.name.startswith("Ligne ")]
        if len(cases) != 81:
            echouer("81 cases attendues, %d lues" % len(cases))
        for k, case in enumerate(cases):
            attendu = "Ligne %d, colonne %d : vide" % (k // 9 + 1, k % 9 + 1)
            if case.name != attendu:
                echouer("case %d : « %s » au lieu de « %s »" % (k, case.name, attendu))
        if statut() != "Pas de grille":
            echouer("ligne d'état : « %s »" % statut())

        # Une grille facile, par le menu au clavier.
        touches("alt+g", "g", "f")
        if not attendre(lambda: statut().startswith("Grille générée (Niveau facile)")):
            echouer("pas de grille générée ; ligne d'état « %s »" % statut())
        pomper(0.5)
        if not any(t.startswith("object:property-change:accessible-name") and r == "status bar" and
                   n.startswith("Grille générée") for t, r, n, _ in annonces):
            echouer("la nouvelle ligne d'état n'est pas annoncée")
        motif = re.compile(r"^Ligne (\d), colonne (\d) : (vide|[1-9], indice)$")
        cases = [e for e in etiquettes("label") if e.name.startswith("Ligne ")]
        indices = 0
        for k, case in enumerate(cases):
            m = motif.match(case.name)
            if not m or (int(m.group(1)), int(m.group(2))) != (k // 9 + 1, k % 9 + 1):
                echouer("case %d : « %s »" % (k, case.name))
            indices += m.group(3) != "vide"
        if indices < 17:
            echouer("%d indices seulement" % indices)

        # La palette : dix choix et une bascule, rien de choisi.
        choix = [e.name for e in etiquettes("radio button")]
        if choix != ["Chiffre %d" % d for d in range(1, 10)] + ["Gomme"]:
            echouer("palette : %s" % choix)
        bascules = etiquettes("check box")
        if [b.name for b in bascules] != ["Mode hypothèse"]:
            echouer("bascule : %s" % [b.name for b in bascules])
        if any(etat(e, pyatspi.STATE_CHECKED) for e in etiquettes("radio button") + bascules):
            echouer("une entrée de la palette est cochée avant tout choix")

        # Le curseur du clavier : la case (2,2) a le focus, elle seule.
        deuxiemeVide = cases[10].name.endswith("vide")
        touches("Right", "Right", "Down")
        focalisees = [c.name for c in etiquettes("label") if c.name.startswith("Ligne ") and etat(c, pyatspi.STATE_FOCUSED)]
        if len(focalisees) != 1 or not focalisees[0].startswith("Ligne 2, colonne 2 : "):
            echouer("focus : %s" % focalisees)
        focus = [n for t, _, n, d in annonces if t.startswith("object:state-changed:focused") and d == 1]
        if not focus or not focus[-1].startswith("Ligne 2, colonne 2 : "):
            echouer("le focus du curseur n'est pas annoncé : %s" % focus[-3:])

        # « 5 » : choisi dans la palette, posé dans la case du curseur si elle était vide ; puis
        # Espace. Le curseur ne quitte pas sa case : aucune annonce de focus de plus.
        def annoncesFocus():
            return sum(1 for t, _, _, _ in annonces if t.startswith("object:state-changed:focused"))

        avant = annoncesFocus()
        touches("5", "space")
        if annoncesFocus() != avant:
            echouer("le curseur resté sur sa case est annoncé %d fois" % (annoncesFocus() - avant))
        coches = [e.name for e in etiquettes("radio button") if etat(e, pyatspi.STATE_CHECKED)]
        if coches != ["Chiffre 5"]:
            echouer("palette cochée : %s" % coches)
        if deuxiemeVide and etiquettes("label")[10].name != "Ligne 2, colonne 2 : 5, chiffre du joueur":
            lue = [c.name for c in etiquettes("label") if c.name.startswith("Ligne 2, colonne 2")]
            echouer("case (2,2) après « 5 » : %s" % lue)
        touches("question")
        if not etat(etiquettes("check box")[0], pyatspi.STATE_CHECKED):
            echouer("« Mode hypothèse » n'est pas coché après « ? »")

        # Des notes dans la première case vide, au clavier (Ctrl+chiffre) : son nom les dit.
        cases = [e for e in etiquettes("label") if e.name.startswith("Ligne ")]
        vide = next(k for k, case in enumerate(cases) if case.name.endswith(" : vide"))
        touches(*(["Down"] * ((vide // 9 - 1) % 9) + ["Right"] * ((vide % 9 - 1) % 9)))
        touches("ctrl+7", "ctrl+3")
        attendu = "Ligne %d, colonne %d : vide, notes : 3, 7" % (vide // 9 + 1, vide % 9 + 1)
        if not attendre(lambda: etiquettes("label")[vide].name == attendu, delai=5):
            echouer("notes : « %s » au lieu de « %s »" % (etiquettes("label")[vide].name, attendu))

        # Échap : la question « Alerte » est lisible avec son texte ; « Non » garde la partie.
        touches("Escape")
        question = "Vous allez perdre la grille en cours ! Voulez-vous continuer ?"

        def boite():
            for fenetreApp in app:
                if fenetreApp is None or fenetreApp.name == "Novemia":
                    continue
                textes = []

                def lire(objet, profondeur):
                    if profondeur > 4:
                        return
                    for enfant in objet:
                        if enfant is not None:
                            textes.append(enfant.name)
                            lire(enfant, profondeur + 1)

                lire(fenetreApp, 0)
                if question in textes:
                    return fenetreApp
            return None

        alerte = attendre(boite, delai=5)
        if alerte is None:
            echouer("la question « Alerte » n'apparaît pas dans l'arbre AT-SPI")
        if alerte.name != "Alerte":
            echouer("titre de la question : « %s »" % alerte.name)
        touches("alt+n")
        if not attendre(lambda: boite() is None, delai=5):
            echouer("la question reste ouverte après « Non »")
        if jeu.poll() is not None:
            echouer("le jeu s'est fermé malgré « Non »")
        print("Arbre AT-SPI conforme : cases, palette, focus, notes, ligne d'état et question.", flush=True)
    finally:
        for p in reversed(processus):
            p.terminate()
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(dossier, ignore_errors=True)


if __name__ == "__main__":
    main()
