#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs Orca with its --debug-file written line by line: Orca opens it
block-buffered, so a reader of the file would see what was spoken late."""
import builtins
import runpy
import sys

fichier = next((a.split("=", 1)[1] for a in sys.argv if a.startswith("--debug-file=")), None)
ouvrir = builtins.open


def ouvrir_par_ligne(nom, mode="r", *args, **kwargs):
    if fichier is not None and nom == fichier and "w" in mode:
        kwargs["buffering"] = 1
    return ouvrir(nom, mode, *args, **kwargs)


builtins.open = ouvrir_par_ligne
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
