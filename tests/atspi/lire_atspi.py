#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads KUBRIX from outside over AT-SPI: a die's name and description, the
sheet's table, its cells and column headers; then starts a game, rolls and
holds a die by the reader's own actions: the throw is in the roll button's
description, and the hold is told by a notification that shows."""
import re
import sys
import time

import pyatspi
from gi.repository import GLib

fautes = []


def verifier(condition, message):
    print(("ok    " if condition else "FAUTE ") + message)
    if not condition:
        fautes.append(message)


def attendre(fonction, delai=30.0):
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        try:
            resultat = fonction()
        except Exception:  # the program may still be starting
            resultat = None
        if resultat:
            return resultat
        time.sleep(0.2)
    return None


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "KUBRIX":
            return app
    return None


def trouver(racine, condition):
    return pyatspi.findDescendant(racine, lambda a: a is not None and condition(a))


def agir(objet, nom_action):
    action = objet.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == nom_action:
            return action.doAction(i)
    raise RuntimeError("pas d'action %s sur %s (%s)" % (nom_action, objet.name,
                       [action.getName(i) for i in range(action.nActions)]))


app = attendre(application)
if app is None:
    print("FAUTE KUBRIX n'apparaît pas sur le bus d'accessibilité")
    sys.exit(1)

de1 = attendre(lambda: trouver(app, lambda a: a.name.startswith("Dé 1,")))
verifier(de1 is not None, "le dé 1 est lu")
if de1 is not None:
    verifier(de1.name == "Dé 1, 1", "nom du dé 1 au démarrage : %r" % de1.name)
    verifier(de1.description == "", "description du dé 1, pas son info-bulle : %r" % de1.description)
    verifier(de1.getRole() == pyatspi.ROLE_PUSH_BUTTON, "rôle du dé 1 : %s" % de1.getRoleName())

feuille = trouver(app, lambda a: a.getRole() == pyatspi.ROLE_TABLE)
verifier(feuille is not None, "la feuille est une table")
if feuille is not None:
    table = feuille.queryTable()
    verifier((table.nRows, table.nColumns) == (18, 4), "18 lignes, 4 colonnes : %d, %d" % (table.nRows, table.nColumns))
    for ligne, colonne, texte in [(1, 0, "AS"), (0, 1, "Marque"), (0, 2, "Joueur 1"), (14, 0, "YAM'S"),
                                  (17, 0, "TOTAL GENERAL"), (5, 1, "total des Cinq")]:
        cellule = table.getAccessibleAt(ligne, colonne)
        verifier(cellule is not None and cellule.name == texte,
                 "cellule (%d, %d) : %r" % (ligne, colonne, cellule.name if cellule else None))
    verifier(list(table.getSelectedRows()) == [17], "ligne choisie : %s" % list(table.getSelectedRows()))
    entetes = [table.getColumnHeader(c) for c in range(4)]
    verifier([e.name if e else None for e in entetes] == ["", "Marque", "Joueur 1", "Joueur 2"],
             "en-têtes des colonnes : %s" % [e.name if e else None for e in entetes])
    cellule = table.getAccessibleAt(5, 2)
    verifier(cellule is not None and cellule.name == "Joueur 1, libre", "cellule (5, 2) : %r" % cellule.name)

# A game, as a reader's user plays it: the menu opens (the game is reset),
# then the roll button and die 1 are pressed by their actions.
menu = trouver(app, lambda a: a.name == "Nouvelle partie" and a.getRole() == pyatspi.ROLE_MENU_ITEM)
lancer = trouver(app, lambda a: a.name.startswith("Lancer de dés"))
verifier(menu is not None and lancer is not None, "menu « Nouvelle partie » et bouton de lancer trouvés")
if menu is not None and lancer is not None and de1 is not None:
    agir(menu, "ShowMenu")
    verifier(attendre(lambda: lancer.getState().contains(pyatspi.STATE_ENABLED), 10) is not None,
             "le bouton de lancer s'active à l'ouverture du menu")
    agir(menu, "ShowMenu")  # closes it again
    agir(lancer, "Press")
    verifier(attendre(lambda: lancer.name == "Lancer de dés 2", 20) is not None,
             "après le lancer, le bouton se nomme %r" % lancer.name)
    noms = [trouver(app, lambda a, i=i: a.name.startswith("Dé %d," % i)) for i in range(1, 6)]
    verifier(all(d is not None and re.fullmatch(r"Dé \d, [1-6]", d.name) for d in noms),
             "noms des dés après le lancer : %s" % [d.name if d else None for d in noms])
    faces = ", ".join(d.name[-1] for d in noms if d is not None)
    verifier(lancer.description == faces, "le bouton de lancer décrit le jet %r : %r" % (faces, lancer.description))

    entendus = []

    def ecouter(evenement):
        if evenement.detail1 and evenement.source is not None \
           and evenement.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            entendus.append(evenement.source.name)
            if evenement.source.name.endswith(", gardé"):
                pyatspi.Registry.stop()  # heard: no need to wait longer

    pyatspi.Registry.registerEventListener(ecouter, "object:state-changed:showing")
    GLib.timeout_add(300, lambda: agir(de1, "Press") and False)
    GLib.timeout_add(30000, lambda: pyatspi.Registry.stop() and False)  # never heard: give up
    pyatspi.Registry.start()
    verifier(de1.description == "gardé", "le dé 1 se dit gardé : %r" % de1.description)
    verifier(lancer.description == faces + ", gardés 1", "le bouton de lancer dit la garde : %r" % lancer.description)
    verifier(entendus == [faces + ", gardés 1"], "la garde est annoncée : %s" % entendus)

sys.exit(1 if fautes else 0)
