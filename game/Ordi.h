// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer's decisions, as pure functions of the dice, the roll number and
// its own column (column 3). Nothing of the other column is read.
#include "Feuille.h"
#include "TableauIndexe.h"

namespace ordi {

using feuille::Des;
using feuille::Faces;

// Patterns of a throw.
struct Analyse {
    int TotalDes = 0;
    bool JeuYams = false;
    bool JeuCarre = false;
    bool JeuBrelan = false;
    bool JeuFull = false;
    bool JeuDeuxPaires = false;
    bool JeuGrandeSuite = false;
    bool JeuPetiteSuite = false;
    bool JeuSuite3 = false;
};
Analyse AnalyseJet(const Des &des, const Faces &nbFaces);

// Column 3 as read when the turn begins; not refreshed during the turn.
struct Colonne {
    TableauIndexe<bool, 1, 17> libre{};  // the cell is empty
    int CasesVides = 0;                  // empty cells among rows 1..17
    bool HautRempli = false;             // rows 1..6 all filled
    int SommeHaut = 0;                   // sum of the filled cells of rows 1..6
};

using Gardes = TableauIndexe<bool, 1, 5>;

struct Decision {
    bool inscrire = false;  // a record rule fired: record `ligne`
    int ligne = 0;
    Gardes Garde{};         // a hold rule fired (or none did): the dice to hold
    int regle = 0;          // 1..16, the rule that fired (0: none; cannot happen, R16 always applies)
};

// Rules R1..R16 after roll k (1..3); the first that holds decides.
Decision appliquerRegles(int k, const Des &des, const Faces &nbFaces, const Analyse &a, const Colonne &col);

struct Choix {
    int ligne = 0;
    int etape = 0;  // 1..9 for F1..F9
};
// The final choice after the third roll when no rule recorded.
Choix ChoixFinal(const Faces &nbFaces, const Analyse &a, const Colonne &col);

}  // namespace ordi
