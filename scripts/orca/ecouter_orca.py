#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays KUBRIX by keys, as a blind player does, and listens to Orca: what it
says is its debug journal's SPEECH OUTPUT lines.
Usage: ecouter_orca.py JOURNAL [--partie] [--transcription FICHIER]
Without --partie: one turn of the player and one of ORDY, with checks."""
import re
import subprocess
import sys
import time

TRANSCRIPTION = []  # keys pressed and lines said, in order
OREILLE = None
PAROLE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(\{.*\})?$")


class Oreille:
    """What Orca said, read from its journal as it grows."""

    def __init__(self, chemin):
        self.chemin = chemin
        self.position = 0
        self.reste = ""
        self.dits = []      # everything said, in order
        self.depuis = 0     # index of the first line not yet waited for

    def lire(self):
        try:
            with open(self.chemin, encoding="utf-8", errors="replace") as f:
                f.seek(self.position)
                texte = f.read()
                self.position = f.tell()
        except FileNotFoundError:
            return
        lignes = (self.reste + texte).split("\n")
        self.reste = lignes.pop()
        for ligne in lignes:
            m = PAROLE.search(ligne)
            if m:
                self.dits.append(m.group(1))
                TRANSCRIPTION.append("  « %s »" % m.group(1))
                print("  « %s »" % m.group(1), flush=True)

    def attendre(self, motif, delai=30.0):
        """The first line said since the last wait that matches motif."""
        motif = re.compile(motif)
        fin = time.monotonic() + delai
        while True:
            self.lire()
            for i in range(self.depuis, len(self.dits)):
                if motif.search(self.dits[i]):
                    self.depuis = i + 1
                    return self.dits[i]
            if time.monotonic() > fin:
                return None
            time.sleep(0.1)


fautes = []


def verifier(condition, message):
    print(("ok    " if condition else "FAUTE ") + message, flush=True)
    if not condition:
        fautes.append(message)
    return condition


def touches(*noms):
    for nom in noms:
        if OREILLE is not None:
            OREILLE.lire()  # what was said before the key comes before it
        print("touche %s" % nom, flush=True)
        TRANSCRIPTION.append("[%s]" % nom)
        subprocess.run(["xdotool", "key", "--clearmodifiers", nom], check=True)
        time.sleep(0.3)


def menu_nouvelle():
    """Alt+N, the Alt key held until the menu is open: released at once, the
    release, which reaches the program after a round trip to Orca, closes it."""
    print("touche alt+n", flush=True)
    TRANSCRIPTION.append("[alt+n]")
    subprocess.run(["xdotool", "keydown", "alt"], check=True)
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", "n"], check=True)
    time.sleep(0.8)
    subprocess.run(["xdotool", "keyup", "alt"], check=True)
    time.sleep(0.3)


def fenetre(nom, delai=30.0):
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % nom],
                           capture_output=True, text=True)
        if r.stdout.split():
            return r.stdout.split()[0]
        time.sleep(0.2)
    return None


LIGNES = ["AS", "DEUX", "TROIS", "QUATRE", "CINQ", "SIX", "Sous total", "Prime", "BRELAN", "CARRE",
          "FULL", "Petite SUITE", "Grande SUITE", "YAM'S", "CHANCE"]
JET = r"[1-6], [1-6], [1-6], [1-6], [1-6]"


def aller(o, *touches_, jusqua, essais=4):
    """Presses the keys until Orca says something matching jusqua."""
    for _ in range(essais):
        touches(*touches_)
        if o.attendre(jusqua, 5) is not None:
            return True
    return False


def nouvelle_partie(o, nom):
    menu_nouvelle()
    verifier(o.attendre(r"^1 Joueur", 15) is not None, "le menu « Nouvelle partie » se lit")
    touches("Return")
    verifier(o.attendre(r"premier joueur: texte", 15) is not None, "le champ du nom se nomme")
    subprocess.run(["xdotool", "type", "--delay", "150", nom], check=True)
    touches("Return")
    verifier(o.attendre(r"Afficher les Scores bouton", 15) is not None, "le focus revient au jeu")


def tour_joueur(o, nom, ligne, garder):
    """One turn of the player: a roll, holds, the sheet, the row ligne."""
    if not verifier(aller(o, "shift+Tab", jusqua=r"^Lancer de dés 1 bouton"), "Maj+Tab mène au bouton de lancer"):
        return None
    touches("space")
    jet = o.attendre(r"^" + JET + r"\.?$", 30)
    verifier(jet is not None, "un lancer dit ses cinq faces : %s" % jet)
    if garder:
        touches("1")
        verifier(o.attendre(r"^notification " + JET + r" ; gardés : 1\.?$", 10) is not None,
                 "la touche 1 dit le dé gardé")
        verifier(aller(o, "Tab", jusqua=r"^Dé 1 : [1-6] bouton"), "Tab mène au dé 1")
        verifier(o.attendre(r"^gardé\.?$", 5) is not None, "le dé 1 se dit gardé")
        touches("space")
        verifier(o.attendre(r"^notification libre\.?$", 10) is not None, "Espace sur le dé le dit libre")
        touches("1")
        verifier(o.attendre(r"^notification gardé\.?$", 10) is not None, "1 sur le dé le dit gardé")
        verifier(aller(o, "shift+Tab", jusqua=r"^Afficher les Scores bouton"), "Maj+Tab revient à « Afficher les Scores »")
    else:
        verifier(aller(o, "Tab", jusqua=r"^Afficher les Scores bouton"), "Tab mène à « Afficher les Scores »")
    touches("space")
    verifier(o.attendre(r"^notification Masquer les Scores", 10) is not None, "« Masquer les Scores » se dit")
    verifier(aller(o, "shift+Tab", jusqua=r"^Feuille de marque"), "Maj+Tab mène à la feuille")
    rang = LIGNES.index(ligne) + 1
    touches("Home", *(["Down"] * (rang - 1)))
    verifier(o.attendre(r"^%s\.?$" % re.escape(ligne), 10) is not None, "la ligne %s se lit" % ligne)
    touches("Return")
    dit = o.attendre(r"^notification %s : \d+ en %s, total \d+\. " % (nom, re.escape(ligne)), 15)
    verifier(dit is not None, "l'inscription se dit : %s" % dit)
    return dit


def tour_ordi(o, nom, derniere):
    lancer = o.attendre(r"^notification ORDY : " + JET, 60)
    verifier(lancer is not None, "le lancer d'ORDY se dit : %s" % lancer)
    if derniere:
        # The result's message box comes first; ORDY's score once it is closed.
        alerte = o.attendre(r"Félicitations|meilleur|Bravo", 90)
        verifier(alerte is not None, "la fin de partie se dit : %s" % alerte)
        touches("Return")
    suite = r"Partie finie" if derniere else r"À %s de jouer" % nom
    fin = o.attendre(r"^notification ORDY : \d+ en .+, total \d+\. %s\.$" % suite, 90)
    verifier(fin is not None, "la marque d'ORDY et la suite se disent : %s" % fin)
    return fin


def main():
    global OREILLE
    o = OREILLE = Oreille(sys.argv[1])
    verifier(o.attendre(".", 60) is not None, "Orca parle")
    fen = fenetre("KUBRIX")
    if not verifier(fen is not None, "la fenêtre KUBRIX s'ouvre"):
        return 1
    subprocess.run(["xdotool", "windowactivate", "--sync", fen], check=True)
    o.attendre(r"^Afficher les Scores bouton", 15)
    nouvelle_partie(o, "LEA")
    lignes = ["CHANCE"] if "--partie" not in sys.argv else \
        ["CHANCE"] + [l for l in LIGNES if l not in ("Sous total", "Prime", "CHANCE")]
    for i, ligne in enumerate(lignes):
        print("--- tour %d : LEA, puis ORDY" % (i + 1), flush=True)
        if tour_joueur(o, "LEA", ligne, garder=(i == 0)) is None or fautes:
            break
        if tour_ordi(o, "LEA", "--partie" in sys.argv and i == len(lignes) - 1) is None or fautes:
            break
    if "--transcription" in sys.argv:
        with open(sys.argv[sys.argv.index("--transcription") + 1], "w", encoding="utf-8") as f:
            f.write("\n".join(TRANSCRIPTION) + "\n")
    return 1 if fautes else 0


sys.exit(main())
