#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays KUBRIX by keys, as a blind player does, and listens to Orca: what it
sends is its debug journal's SPEECH OUTPUT lines; what is heard, speech-dispatcher's
journal: a message counts if espeak-ng said it to its end (702 END), not if stopped.
Usage: ecouter_orca.py JOURNAL JOURNAL_SPEECHD [--partie] [--transcription FICHIER]
Without --partie: one turn of the player and one of ORDY, with checks; with it,
a whole game against ORDY, then two rounds of a game of two players."""
import html
import re
import subprocess
import sys
import time

TRANSCRIPTION = []  # keys pressed and lines said, in order
OREILLE = None
ENTENDU = None  # what espeak-ng said (Parole)
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
                print("  > %s" % m.group(1), flush=True)

    def attendre(self, motif, delai=30.0):
        """The first line said since the last wait that matches motif."""
        motif = re.compile(motif)
        fin = time.monotonic() + delai
        while True:
            self.lire()
            ENTENDU.lire()
            for i in range(self.depuis, len(self.dits)):
                if motif.search(self.dits[i]):
                    self.depuis = i + 1
                    return self.dits[i]
            if time.monotonic() > fin:
                return None
            time.sleep(0.1)


class Parole:
    """Each message speech-dispatcher queued, its text as its own rules made it,
    and its end: END said whole, STOP cut, JAMAIS cancelled before it began."""

    def __init__(self, chemin):
        self.f, self.reste, self.messages, self.touche = open(chemin, errors="replace"), "", [], 0

    def lire(self):
        entrees = re.split(r"\n(?=\[[^]]*\] speechd:)", self.reste + self.f.read())
        self.reste = entrees.pop()
        for e in entrees:
            attente = [x for x in self.messages if not x["issue"] and not x["envoye"]]
            parle = [x for x in self.messages if not x["issue"] and x["envoye"]]
            dit = re.search(r"Queueing message \|(.*)\| with priority|output module: \|<speak>(.*)</speak>", e, re.S)
            texte = dit and html.unescape(" ".join(re.sub(r"<[^>]*>", " ", dit.group(1) or dit.group(2)).split()))
            if dit and dit.group(1) is not None:
                self.messages.append({"texte": texte, "issue": None, "envoye": False, "touche": self.touche})
            elif dit and attente:
                attente[0].update(texte=texte, envoye=True)
            for x, issue in ([(x, "JAMAIS") for x in attente] if "Cancel received" in e else
                             [(parle[0], re.search(r"70[23] (END|STOP)", e).group(1))] if parle and
                             re.search(r"70[23] (END|STOP)", e) else []):
                x["issue"] = issue
                TRANSCRIPTION.append("  « %s »%s" % (x["texte"], {"END": ""}.get(issue, "   [%s]" % issue)))
                print(TRANSCRIPTION[-1], flush=True)

    def silence(self, calme=0.6):
        """Every message ended, and nothing new for `calme` s: a listener's next key."""
        vu, depuis, fin = None, time.monotonic(), time.monotonic() + 30
        while time.monotonic() < fin:
            self.lire()
            etat = (len(self.messages), sum(not x["issue"] for x in self.messages))
            if etat != vu:
                vu, depuis = etat, time.monotonic()
            elif etat[1] == 0 and time.monotonic() - depuis >= calme:
                return
            time.sleep(0.1)


fautes = []


def verifier(condition, message):
    print(("ok    " if condition else "FAUTE ") + message, flush=True)
    if not condition:
        fautes.append(message)
    return condition


def ecouter():
    """Silence before a key; what is said next is the key's."""
    ENTENDU.silence()
    ENTENDU.touche += 1
    OREILLE.lire()
    OREILLE.depuis = len(OREILLE.dits)


def touches(*noms):
    for nom in noms:
        ecouter()
        print("touche %s" % nom, flush=True)
        TRANSCRIPTION.append("[%s]" % nom)
        subprocess.run(["xdotool", "key", "--clearmodifiers", nom], check=True)
        time.sleep(0.3)


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
ROLLS = []  # the key of each roll of a player


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
    touches(*(["Down"] * (len(noms) - 1)), "Return")
    verifier(o.attendre(r"premier joueur\W*texte", 15) is not None, "le champ du nom se nomme")
    for i, nom in enumerate(noms):
        touches(*(["Tab"] * i))
        subprocess.run(["xdotool", "type", "--delay", "150", nom], check=True)
    touches("Return")
    verifier(o.attendre(r"Afficher les Scores bouton", 15) is not None, "le focus revient au jeu")
    verifier(o.attendre(r"À %s de jouer" % noms[0], 15) is not None, "le premier joueur est nommé")


def rouler(o):
    """Space on the roll button; the faces, once said."""
    touches("space")
    ROLLS.append(ENTENDU.touche)
    return o.attendre(r"^" + JET + r"(, gardés [\d, ]+)?(\. Plus de lancer)?\.?$", 30)


def tour_joueur(o, nom, ligne, garder):
    """One turn of the player: a roll, holds (and three rolls), the sheet, the row ligne."""
    if garder:
        touches("1")
        verifier(o.attendre(r"Lancez d'abord", 5) is not None, "1 avant le premier lancer dit pourquoi rien ne se passe")
    if not verifier(aller(o, "shift+Tab", jusqua=r"^Lancer de dés 1 bouton"), "Maj+Tab mène au bouton de lancer"):
        return None
    jet = rouler(o)
    verifier(jet is not None, "un lancer dit ses cinq faces : %s" % jet)
    if garder:
        touches("1")
        verifier(o.attendre(JET + r"\W+gardés\W+1\.?$", 10) is not None,
                 "la touche 1 dit le dé gardé")
        verifier(aller(o, "Tab", jusqua=r"^Dé 1\W+[1-6] bouton"), "Tab mène au dé 1")
        verifier(o.attendre(r"^gardé\.?$", 5) is not None, "le dé 1 se dit gardé")
        touches("space")
        verifier(o.attendre(r"libre\.?$", 10) is not None, "Espace sur le dé le dit libre")
        touches("1")
        verifier(o.attendre(r"gardé\.?$", 10) is not None, "1 sur le dé le dit gardé")
        verifier(aller(o, "shift+Tab", "shift+Tab", jusqua=r"^Lancer de dés 2 bouton"), "Maj+Tab revient au bouton de lancer")
        rouler(o)  # the third roll disables the button: the focus goes to « Afficher les Scores »
        verifier("Plus de lancer" in (rouler(o) or ""), "le troisième lancer dit : plus de lancer")
    else:
        verifier(aller(o, "Tab", jusqua=r"^Afficher les Scores bouton"), "Tab mène à « Afficher les Scores »")
    touches("space")
    verifier(o.attendre(r"Masquer les Scores", 10) is not None, "« Masquer les Scores » se dit")
    verifier(aller(o, "shift+Tab", jusqua=r"^Feuille de marque"), "Maj+Tab mène à la feuille")
    rang = LIGNES.index(ligne) + 1
    touches("Home", *(["Down"] * (rang - 1)))
    verifier(o.attendre(r"^%s\.?$" % re.escape(ligne), 10) is not None, "la ligne %s se lit" % ligne)
    touches("Return")
    dit = o.attendre(r"%s\W+\d+ en %s, total \d+\. " % (nom, re.escape(ligne)), 15)
    verifier(dit is not None, "l'inscription se dit : %s" % dit)
    return dit


def tour_ordi(o, nom, derniere):
    lancer = o.attendre(r"ORDY\W+" + JET, 60)
    verifier(lancer is not None, "le lancer d'ORDY se dit : %s" % lancer)
    if derniere:
        # The result's message box comes first; ORDY's score once it is closed.
        alerte = o.attendre(r"Félicitations|meilleur|Bravo", 90)
        verifier(alerte is not None, "la fin de partie se dit : %s" % alerte)
        touches("Return")
    suite = r"Partie finie" if derniere else r"À %s de jouer" % nom
    motif = r"ORDY\W.*\d+ en .+, total \d+\. %s" % suite  # new: said with its last throw
    fin = lancer if lancer and re.search(motif, lancer) else o.attendre(motif, 90)
    verifier(fin is not None, "la marque d'ORDY et la suite se disent : %s" % fin)
    return fin


def compter():
    """What was heard over the whole run, counted."""
    m = [x for x in ENTENDU.messages if x["issue"]]
    dits = [x for x in m if x["issue"] != "JAMAIS"]
    avant = []  # words heard whole after a roll's key, before its faces (Orca's echo of the key aside)
    for touche in ROLLS:
        suite = [x for x in m if x["touche"] == touche]
        i = next((k for k, x in enumerate(suite) if re.search(JET, x["texte"])), len(suite))
        avant.append(sum(len(x["texte"].split()) for x in suite[:i]
                         if x["issue"] == "END" and not re.match(r"(espace|entrée) ?$", x["texte"])))
    compte = lambda motif: sum(len(re.findall(motif, x["texte"])) for x in dits)
    jeu = re.compile(JET + r"|en .+, total \d+|de jouer|joue\.|Partie finie|recommence|gagne|Égalité")
    ordy = [x for x in m if re.match(r"(notification )?ORDY", x["texte"]) and re.search(JET, x["texte"])]
    return {
        "lancers du joueur": len(ROLLS),
        "mots entendus avant les faces après un lancer (total, pire)": (sum(avant), max(avant, default=0)),
        "messages du jeu coupés": [x["texte"] for x in m if jeu.search(x["texte"]) and x["issue"] != "END"],
        "lancers d'ORDY entendus entiers / dits": (sum(x["issue"] == "END" for x in ordy), len(ordy)),
        "mots de ponctuation": compte(r"deux points|point virgule|point d'exclamation|point d'interrogation|"
                                      r"parenthèse|barre oblique|guillemet|tiret|apostrophe"),
        "« notification »": compte(r"\bnotification\b"),
        "mots de rôle": compte(r"\b(notification|bouton|boîte de dialogue|cadre|alerte|tableau|menu|texte)\b"),
        "titres de fenêtre": compte(r"KUBRIX cadre|Les dés roulent|Je réfléchis|CHUT|A propos"),
        "messages dits / coupés / jamais dits": tuple(sum(x["issue"] == i for x in m) for i in ("END", "STOP", "JAMAIS")),
    }


def main():
    global OREILLE, ENTENDU
    o = OREILLE = Oreille(sys.argv[1])
    ENTENDU = Parole(sys.argv[2])
    verifier(o.attendre(".", 60) is not None, "Orca parle")
    fen = fenetre("KUBRIX")
    if not verifier(fen is not None, "la fenêtre KUBRIX s'ouvre"):
        return 1
    subprocess.run(["xdotool", "windowactivate", "--sync", fen], check=True)
    o.attendre(r"^Afficher les Scores bouton", 15)
    nouvelle_partie(o, ["LEA"])
    lignes = ["CHANCE"] if "--partie" not in sys.argv else \
        ["CHANCE"] + [l for l in LIGNES if l not in ("Sous total", "Prime", "CHANCE")]
    for i, ligne in enumerate(lignes):
        print("--- tour %d : LEA, puis ORDY" % (i + 1), flush=True)
        if tour_joueur(o, "LEA", ligne, garder=(i == 0)) is None:
            break
        if tour_ordi(o, "LEA", "--partie" in sys.argv and i == len(lignes) - 1) is None:
            break
    if "--partie" in sys.argv:
        nouvelle_partie(o, ["LEA", "MARC"])
        for ligne in ("CHANCE", "BRELAN"):
            tour_joueur(o, "LEA", ligne, garder=False)
            tour_joueur(o, "MARC", ligne, garder=False)
    ENTENDU.silence()
    comptes = compter()
    for cle, valeur in comptes.items():
        TRANSCRIPTION.append("%s : %s" % (cle, valeur))
        print(TRANSCRIPTION[-1], flush=True)
    verifier(not comptes["messages du jeu coupés"], "chaque message du jeu est entendu jusqu'au bout")
    verifier(comptes["mots de ponctuation"] == 0, "aucune ponctuation n'est dite")
    verifier(comptes["mots entendus avant les faces après un lancer (total, pire)"][1] == 0, "après un lancer, les faces d'abord")
    if "--transcription" in sys.argv:
        with open(sys.argv[sys.argv.index("--transcription") + 1], "w", encoding="utf-8") as f:
            f.write("\n".join(TRANSCRIPTION) + "\n")
    return 1 if fautes else 0


sys.exit(main())
