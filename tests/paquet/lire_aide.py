#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Presses F1 on the installed game's window and reads, over AT-SPI, what its
help viewer shows: the help file's text, not the message of a missing file."""
import subprocess
import sys
import time

import pyatspi


def attendre(fonction, delai=40.0):
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
    return next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "KUBRIX"), None)


def fenetre(nom):
    app = application()
    return app and next((f for f in app if f is not None and f.name == nom and f.getState().contains(pyatspi.STATE_SHOWING)), None)


def texte_aide():
    cadre = fenetre("Aide de KUBRIX")
    zone = cadre and pyatspi.findDescendant(cadre, lambda a: a is not None and "Text" in pyatspi.listInterfaces(a)
                                             and a.queryText().characterCount > 0)
    return zone and zone.queryText().getText(0, -1)


if not attendre(lambda: fenetre("KUBRIX")):
    print("la fenêtre KUBRIX n'apparaît pas sur le bus d'accessibilité")
    sys.exit(1)
subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^KUBRIX$",
                "windowactivate", "--sync", "key", "F1"], check=True, timeout=30)
texte = attendre(texte_aide)
print("aide : %r" % (texte or "")[:120])
sys.exit(0 if texte and "KUBRIX, le jeu de Yams" in texte and "introuvable" not in texte else 1)
