// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's operations held in memory: what the tests and the simulator
// play against. Pauses take no time but advance a simulated clock by their
// interval, so a seeded run is reproducible.
#include "Controles.h"
#include "GeometrieGrille.h"

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class ControlesMemoire : public Controles {
public:
    static constexpr std::int32_t MsParJour = 86'400'000;

    explicit ControlesMemoire(std::int32_t heureDepartMs = 0) : horlogeMs(heureDepartMs % MsParJour) {}

    std::string texteCellule(int colonne, int ligne) const override { return cellules[colonne][ligne]; }
    bool celluleVide(int colonne, int ligne) const override { return cellules[colonne][ligne].empty(); }
    void ecrireCellule(int colonne, int ligne, const std::string &texte) override {
        cellules[colonne][ligne] = texte;
    }
    void selectionnerLigne(int ligne) override { ligneSelectionnee = ligne; }
    Cellule celluleSous(int x, int y) const override { return grille::celluleSous(x, y); }
    bool grilleVisible() const override { return grilleMontree; }
    void montrerGrille(bool visible) override { grilleMontree = visible; noter("grille", visible); }
    void styleBoutonGrille(StyleBouton style) override { styleGrille = style; noter("style", style == StyleBouton::Abort); }
    void legendeBoutonGrille(const std::string &texte) override {
        legendeGrille = texte;
        if (journaliser) noter("legende " + texte);
    }

    void montrerFace(int de, int face) override { faces[de] = face; }
    bool marqueVisible(int de) const override { return marques[de]; }
    void montrerMarque(int de, bool visible) override { marques[de] = visible; }

    void legendeLancer(const std::string &texte) override { legendeLancement = texte; }
    void activerLancer(bool actif) override { lancerActif = actif; }
    void legendeJoueur(const std::string &texte) override { legendeEtiJoueur = texte; }

    bool sonCoche() const override { return son; }
    void jouerSon(const std::string &nom) override { sons.push_back(nom); }

    void pauseDelai(const std::string &legende, const std::string &texte, int intervalleMs) override;
    void message(GenreMessage genre, const std::string &texte) override;
    ResultatNoms demanderNoms(bool deuxJoueurs) override;
    std::int32_t heureUtcMs() const override { return horlogeMs; }

    // Pixel point inside cell (colonne, ligne), for clicks on the sheet.
    static grille::Point point(int colonne, int ligne) { return grille::centreCellule(colonne, ligne); }

    // Controls.
    std::array<std::array<std::string, 18>, 4> cellules{};
    int ligneSelectionnee = 0;
    bool grilleMontree = false;
    StyleBouton styleGrille = StyleBouton::Ok;
    std::string legendeGrille = "Afficher les Scores";
    std::array<int, 6> faces{};        // [1..5]
    std::array<bool, 6> marques{};     // [1..5]
    std::string legendeLancement = "Lancer de dés 1";
    bool lancerActif = true;
    std::string legendeEtiJoueur = "Joueur 1";
    bool son = true;

    // What the game asked for.
    struct Pause { std::string legende, texte; int intervalleMs; };
    struct Message { GenreMessage genre; std::string texte; };
    std::vector<std::string> sons;
    std::vector<Message> messages;
    long long nbPauses = 0;
    bool garderPauses = false;              // keep every pause in `pauses`
    std::vector<Pause> pauses;
    std::deque<ResultatNoms> reponsesNoms;  // answers of the name dialog; Cancel when empty
    std::vector<bool> demandesNoms;         // each opening: were both names asked?
    std::int32_t horlogeMs;

    // Optional hooks, run while a modal would be showing.
    std::function<void(const Pause &)> surPause;
    std::function<void(const Message &)> surMessage;

    // Order of the sheet's look changes, when asked for.
    bool journaliser = false;
    std::vector<std::string> journal;

private:
    void noter(const std::string &quoi, bool valeur) {
        if (journaliser) journal.push_back(quoi + (valeur ? " 1" : " 0"));
    }
    void noter(const std::string &quoi) {
        if (journaliser) journal.push_back(quoi);
    }
};
