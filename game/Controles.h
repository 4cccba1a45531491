// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the game asks of its window: the few controls whose state is part
// of the game (sheet cells, hold markers, roll button, sound switch) and the
// modal interactions (pauses, message boxes, the name dialog), plus the clock
// that seeds the dice. The Qt window implements it for real; ControlesMemoire
// implements it in memory for the tests and the simulator.
#include <cstdint>
#include <string>

enum class GenreMessage {
    Avertissement,  // refused input: title "Avertissement", warning icon
    Information,    // end-of-game announcement: title "Information", information icon
    Simple          // refused roll: title "KUBRIX", no icon
};

// The two stock looks of the show/hide button.
enum class StyleBouton {
    Ok,    // green check mark, default button: goes with the hidden sheet
    Abort  // red cross: goes with the shown sheet
};

struct ResultatNoms {
    bool ok = false;  // closed by OK (the dialog itself refuses empty names)
    std::string nom1;
    std::string nom2;
};

struct Cellule {
    int colonne = -1;  // -1 when the point lies on no cell
    int ligne = -1;
};

class Controles {
public:
    virtual ~Controles() = default;

    // Sheet: cells (column 0..3, row 0..17), selection, look.
    virtual std::string texteCellule(int colonne, int ligne) const = 0;
    // An empty cell is a free row; asked often, so it may be answered without a copy.
    virtual bool celluleVide(int colonne, int ligne) const { return texteCellule(colonne, ligne).empty(); }
    virtual void ecrireCellule(int colonne, int ligne, const std::string &texte) = 0;
    virtual void selectionnerLigne(int ligne) = 0;
    virtual Cellule celluleSous(int x, int y) const = 0;
    virtual bool grilleVisible() const = 0;
    virtual void montrerGrille(bool visible) = 0;
    virtual void styleBoutonGrille(StyleBouton style) = 0;
    virtual void legendeBoutonGrille(const std::string &texte) = 0;

    // Dice and hold markers (die 1..5, face 1..6).
    virtual void montrerFace(int de, int face) = 0;
    virtual bool marqueVisible(int de) const = 0;
    virtual void montrerMarque(int de, bool visible) = 0;

    // Roll button and the label naming the player to play.
    virtual void legendeLancer(const std::string &texte) = 0;
    virtual void activerLancer(bool actif) = 0;
    virtual void legendeJoueur(const std::string &texte) = 0;

    // Sound: the check mark of "Son", and playing an embedded sound by name.
    virtual bool sonCoche() const = 0;
    virtual void jouerSon(const std::string &nom) = 0;

    // Modal interactions.
    virtual void pauseDelai(const std::string &legende, const std::string &texte, int intervalleMs) = 0;
    virtual void message(GenreMessage genre, const std::string &texte) = 0;
    virtual ResultatNoms demanderNoms(bool deuxJoueurs) = 0;

    // UTC time of day in milliseconds, 0..86 399 999: the seed of every roll.
    virtual std::int32_t heureUtcMs() const = 0;
};
