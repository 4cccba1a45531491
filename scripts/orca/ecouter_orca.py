#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays KUBRIX by keys, as a blind player does, and listens to Orca.
Usage: ecouter_orca.py JOURNAL_ORCA JOURNAL_SPEECHD [--partie] [--transcription FICHIER]
Without --partie: one turn of the player and one of ORDY. With it: a whole
game against ORDY, then a game of two players, two rounds.
What Orca sends is its journal's SPEECH OUTPUT lines; what is heard is what
speech-dispatcher's journal shows espeak-ng saying to its end (702 END): a
message stopped before (703 STOP) or never begun was cut. The player waits
for silence before each key, as one who listens does."""
import html
import re
import subprocess
import sys
import time

TRANSCRIPTION = []  # keys pressed and what was heard, in order
OREILLE = None
PAROLE = None
PAROLE_ORCA = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(\{.*\})?$")
JET = r"[1-6], [1-6], [1-6], [1-6], [1-6]"
ECHO = re.compile(r"^(espace|entrée|maj gauche|tab|début|bas|haut|échap|alt gauche|[1-5])\.? ?$")  # Orca's echo of a key


class Oreille:
    """What Orca sent to speech, read from its journal as it grows."""

    def __init__(self, chemin):
        self.chemin = chemin
        self.position = 0
        self.reste = ""
        self.dits = []      # everything sent, in order
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
            m = PAROLE_ORCA.search(ligne)
            if m:
                self.dits.append(m.group(1))
                print("  > %s" % m.group(1), flush=True)

    def attendre(self, motif, delai=30.0):
        """The first line sent since the last wait that matches motif."""
        motif = re.compile(motif)
        fin = time.monotonic() + delai
        while True:
            self.lire()
            if PAROLE is not None:
                PAROLE.lire()
            for i in range(self.depuis, len(self.dits)):
                if motif.search(self.dits[i]):
                    self.depuis = i + 1
                    return self.dits[i]
            if time.monotonic() > fin:
                return None
            time.sleep(0.1)


class Parole:
    """What espeak-ng said, from speech-dispatcher's journal: each message sent
    to it, its text after speech-dispatcher's own symbol rules, and how it ended."""
    ENTETE = re.compile(r"^\[\w+ \w+ +\d+ (\d+):(\d+):(\d+) \d+ : (\d+)\] speechd: ")

    def __init__(self, chemin):
        self.chemin = chemin
        self.position = 0
        self.reste = ""
        self.entree = None      # the journal entry being read, with its continuation lines
        self.messages = []      # {"texte", "debut", "fin", "issue": END/STOP/None, "touche"}
        self.touche = 0         # number of keys pressed so far

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
            m = self.ENTETE.match(ligne)
            if m:
                self.traiter()
                h, mi, s, us = (int(x) for x in m.groups())
                self.entree = [h * 3600 + mi * 60 + s + us / 1e6, ligne[m.end():]]
            elif self.entree is not None:
                self.entree[1] += "\n" + ligne
        self.traiter()

    def traiter(self):
        if self.entree is None:
            return
        heure, texte = self.entree
        self.entree = None
        nettoyer = lambda t: html.unescape(" ".join(re.sub(r"<[^>]*>", " ", t).split()))
        attente = [x for x in self.messages if x["issue"] is None and x["debut"] is None and not x["envoye"]]
        m = re.search(r"Queueing message \|(.*)\| with priority", texte, re.S)
        if m:
            self.messages.append({"texte": nettoyer(m.group(1)), "debut": None, "fin": None, "issue": None,
                                  "envoye": False, "touche": self.touche})
            return
        m = re.search(r"Command sent to output module: \|<speak>(.*)</speak>\|", texte, re.S)
        if m and attente:
            attente[0]["texte"] = nettoyer(m.group(1))  # as speech-dispatcher's rules made it
            attente[0]["envoye"] = True
            return
        if "Cancel received" in texte:
            for x in attente:
                self.finir(x, "JAMAIS", heure)
            return
        if "Received event:" not in texte:
            return
        parle = [x for x in self.messages if x["envoye"] and x["issue"] is None]
        if not parle:
            return
        if "701 BEGIN" in texte and parle[0]["debut"] is None:
            parle[0]["debut"] = heure
        elif "702 END" in texte or "703 STOP" in texte:
            self.finir(parle[0], "END" if "702 END" in texte else "STOP", heure)

    def finir(self, x, issue, heure):
        x["issue"], x["fin"] = issue, heure
        marque = {"END": "", "JAMAIS": "   [jamais dit]"}.get(
            issue, "   [coupé après %.1f s]" % (heure - (x["debut"] or heure)))
        TRANSCRIPTION.append("  « %s »%s" % (x["texte"], marque))
        print("  « %s »%s" % (x["texte"], marque), flush=True)

    def attendre_silence(self, delai=30.0, calme=0.6):
        """Until the last message has ended and nothing new came for `calme` s:
        what a listener does before the next key."""
        fin = time.monotonic() + delai
        vu, depuis = -1, time.monotonic()
        while time.monotonic() < fin:
            self.lire()
            etat = (len(self.messages), sum(x["issue"] is None for x in self.messages))
            if etat != vu:
                vu, depuis = etat, time.monotonic()
            if etat[1] == 0 and time.monotonic() - depuis >= calme:
                return True
            time.sleep(0.1)
        return False


fautes = []


def verifier(condition, message):
    print(("ok    " if condition else "FAUTE ") + message, flush=True)
    if not condition:
        fautes.append(message)
    return condition


def ecouter():
    """Before a key: silence, and what follows it is what the key brought."""
    PAROLE.attendre_silence()
    PAROLE.touche += 1
    OREILLE.lire()
    OREILLE.depuis = len(OREILLE.dits)


def touches(*noms):
    for nom in noms:
        ecouter()
        print("touche %s" % nom, flush=True)
        TRANSCRIPTION.append("[%s]" % nom)
        subprocess.run(["xdotool", "key", "--clearmodifiers", nom], check=True)


def menu_nouvelle():
    """Alt+N, the Alt key held until the menu is open: released at once, the
    release, which reaches the program after a round trip to Orca, closes it."""
    ecouter()
    print("touche alt+n", flush=True)
    TRANSCRIPTION.append("[alt+n]")
    subprocess.run(["xdotool", "keydown", "alt"], check=True)
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", "n"], check=True)
    time.sleep(0.8)
    subprocess.run(["xdotool", "keyup", "alt"], check=True)


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
MARQUES = [l for l in LIGNES if l not in ("Sous total", "Prime")]
ROLLS = []  # index of the key of each roll of a player, and that of its faces' message


def aller(o, *touches_, jusqua, essais=4):
    """Presses the keys until Orca says something matching jusqua."""
    for _ in range(essais):
        touches(*touches_)
        if o.attendre(jusqua, 5) is not None:
            return True
    return False


def nouvelle_partie(o, noms):
    menu_nouvelle()
    verifier(o.attendre(r"^1 Joueur", 15) is not None, "le menu « Nouvelle partie » se lit")
    if len(noms) == 2:
        touches("Down")
    touches("Return")
    verifier(o.attendre(r"premier joueur\W*texte", 15) is not None, "le champ du nom se nomme")
    for i, nom in enumerate(noms):
        if i:
            touches("Tab")
        subprocess.run(["xdotool", "type", "--delay", "150", nom], check=True)
    touches("Return")
    verifier(o.attendre(r"À %s de jouer" % noms[0], 15) is not None, "le premier joueur est nommé")


def lancer(o, aller_au_bouton=True):
    if aller_au_bouton and not aller(o, "shift+Tab", jusqua=r"^Lancer de dés [1-3] bouton"):
        return verifier(False, "Maj+Tab mène au bouton de lancer")
    touches("space")
    jet = o.attendre(JET, 30)
    ROLLS.append(PAROLE.touche)
    verifier(jet is not None, "un lancer dit ses cinq faces : %s" % jet)
    return jet


def tour_joueur(o, nom, ligne, essai):
    """One turn of a player: rolls, holds, the sheet, the row ligne."""
    if essai:
        touches("1")
        verifier(o.attendre(r"Lancez d'abord", 5) is not None, "1 avant le premier lancer dit pourquoi rien ne se passe")
    if not lancer(o):
        return None
    if essai:
        touches("1")
        verifier(o.attendre(JET + r"\W+gardés\W+1\.?$", 10) is not None, "la touche 1 dit le dé gardé")
        verifier(aller(o, "Tab", jusqua=r"^Dé 1\W+[1-6] bouton"), "Tab mène au dé 1")
        verifier(o.attendre(r"^gardé\.?$", 5) is not None, "le dé 1 se dit gardé")
        touches("space")
        verifier(o.attendre(r"libre\.?$", 10) is not None, "Espace sur le dé le dit libre")
        touches("1")
        verifier(o.attendre(r"(notification )?gardé\.?$", 10) is not None, "1 sur le dé le dit gardé")
        verifier(aller(o, "shift+Tab", "shift+Tab", jusqua=r"^Lancer de dés 2 bouton"), "du dé 1, Maj+Tab deux fois mène au bouton de lancer")
        jets = [lancer(o, aller_au_bouton=False) for _ in range(2)]
        verifier("Plus de lancer" in (jets[-1] or "") or o.attendre(r"Plus de lancer", 5) is not None,
                 "après le troisième lancer, plus de lancer")
        # The roll button is disabled: the focus is on « Afficher les Scores ».
    else:
        verifier(aller(o, "Tab", jusqua=r"^Afficher les Scores bouton"), "Tab mène à « Afficher les Scores »")
    touches("space")
    verifier(o.attendre(r"Masquer les Scores", 10) is not None, "« Masquer les Scores » se dit")
    verifier(aller(o, "shift+Tab", jusqua=r"^Feuille de marque"), "Maj+Tab mène à la feuille")
    touches("Home", *(["Down"] * LIGNES.index(ligne)))
    verifier(o.attendre(r"^%s\.?$" % re.escape(ligne), 10) is not None, "la ligne %s se lit" % ligne)
    touches("Return")
    dit = o.attendre(r"%s\W+\d+ en %s, total \d+\. " % (nom, re.escape(ligne)), 15)
    verifier(dit is not None, "l'inscription se dit : %s" % dit)
    return dit


def tour_ordi(o, nom, derniere):
    if derniere:
        alerte = o.attendre(r"Félicitations|meilleur|Bravo", 120)
        verifier(alerte is not None, "la fin de partie se dit : %s" % alerte)
        touches("Return")
    suite = r"Partie finie" if derniere else r"À %s de jouer" % nom
    fin = o.attendre(r"ORDY\W.*\d+ en .+, total \d+\. %s" % suite, 120)
    return verifier(fin is not None, "la marque d'ORDY et la suite se disent : %s" % fin)


def compter():
    """The counts of what was heard, over the whole run."""
    m = PAROLE.messages
    jeu = re.compile(JET + r"|en .+, total \d+|de jouer|joue\.|Partie finie|recommence|gagne|Égalité")
    ponctuation = re.compile(r"deux points|point virgule|point d'exclamation|point d'interrogation|"
                             r"parenthèse \w+|barre oblique|points de suspension|guillemet|tiret|apostrophe")
    roles = re.compile(r"\b(notification|bouton|boîte de dialogue|cadre|alerte|tableau|menu|texte|étiquette|"
                       r"barre d'état|cellule|élément de menu|barre de menus)\b")
    titres = re.compile(r"KUBRIX cadre|Les dés roulent|Je réfléchis|CHUT|Information|A propos boîte")
    dits = [x for x in m if x["debut"] is not None]
    avant = []
    for touche in ROLLS:
        mots = 0
        for x in m:
            if x["touche"] < touche:
                continue
            if re.search(JET, x["texte"]):
                break
            if x["issue"] == "END" and not ECHO.match(x["texte"]):
                mots += len(x["texte"].split())
        avant.append(mots)
    coupes = [x for x in m if jeu.search(x["texte"]) and x["issue"] != "END"]
    coupes_avant = 0  # messages begun after a roll's key and cut before its faces
    for touche in ROLLS:
        for x in m:
            if x["touche"] < touche:
                continue
            if re.search(JET, x["texte"]):
                break
            coupes_avant += x["issue"] != "END" and not ECHO.match(x["texte"])
    avant_ordi = [x for x in m if x["texte"].startswith(("ORDY", "notification ORDY")) and re.search(JET, x["texte"])]
    return {
        "lancers": len(ROLLS),
        "mots avant les faces (somme, max)": (sum(avant), max(avant) if avant else 0),
        "messages commencés puis coupés avant les faces": coupes_avant,
        "lancers d'ORDY entendus entiers / dits": (len([x for x in avant_ordi if x["issue"] == "END"]), len(avant_ordi)),
        "messages du jeu coupés": len(coupes),
        "messages coupés (tous)": len([x for x in m if x["issue"] != "END"]),
        "mots de ponctuation": sum(len(ponctuation.findall(x["texte"])) for x in dits),
        "« notification »": sum(x["texte"].count("notification") for x in dits),
        "mots de rôle (tous)": sum(len(roles.findall(x["texte"])) for x in dits),
        "titres de fenêtre": sum(len(titres.findall(x["texte"])) for x in dits),
        "messages dits": len(dits),
    }, coupes


def main():
    global OREILLE, PAROLE
    o = OREILLE = Oreille(sys.argv[1])
    PAROLE = Parole(sys.argv[2])
    verifier(o.attendre(".", 60) is not None, "Orca parle")
    fen = fenetre("KUBRIX")
    if not verifier(fen is not None, "la fenêtre KUBRIX s'ouvre"):
        return 1
    subprocess.run(["xdotool", "windowactivate", "--sync", fen], check=True)
    o.attendre(r"^Afficher les Scores bouton", 15)
    partie = "--partie" in sys.argv
    nouvelle_partie(o, ["LEA"])
    lignes = ["CHANCE"] + ([l for l in MARQUES if l != "CHANCE"] if partie else [])
    for i, ligne in enumerate(lignes):
        print("--- tour %d : LEA, puis ORDY" % (i + 1), flush=True)
        if tour_joueur(o, "LEA", ligne, essai=(i == 0)) is None:
            break
        if not tour_ordi(o, "LEA", partie and i == len(lignes) - 1):
            break
    if partie:
        nouvelle_partie(o, ["LEA", "MARC"])
        for i, ligne in enumerate(["CHANCE", "BRELAN"]):
            print("--- tour %d : LEA, puis MARC" % (i + 1), flush=True)
            tour_joueur(o, "LEA", ligne, essai=False)
            tour_joueur(o, "MARC", ligne, essai=False)
    PAROLE.attendre_silence()
    comptes, coupes = compter()
    for x in coupes:
        print("coupé : « %s » (%s)" % (x["texte"], x["issue"] or "jamais dit"), flush=True)
    verifier(not coupes, "chaque message du jeu est entendu jusqu'au bout")
    verifier(comptes["mots de ponctuation"] == 0, "aucune ponctuation n'est dite")
    verifier(comptes["mots avant les faces (somme, max)"][1] == 0, "après un lancer, les faces d'abord")
    TRANSCRIPTION.append("--- comptes")
    for cle, valeur in comptes.items():
        print("%s : %s" % (cle, valeur), flush=True)
        TRANSCRIPTION.append("%s : %s" % (cle, valeur))
    if "--transcription" in sys.argv:
        with open(sys.argv[sys.argv.index("--transcription") + 1], "w", encoding="utf-8") as f:
            f.write("\n".join(TRANSCRIPTION) + "\n")
    return 1 if fautes else 0


sys.exit(main())
