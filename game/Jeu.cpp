// SPDX-License-Identifier: GPL-3.0-or-later
#include "Jeu.h"

#include "Feuille.h"

#include <charconv>

using namespace feuille;

namespace {

const std::string LegendeAfficher = "Afficher les Scores";
const std::string LegendeMasquer = "Masquer les Scores";
const std::string LegendesLancer[4] = {"", "Lancer de dés 1", "Lancer de dés 2", "Lancer de dés 3"};
const std::string TitreRoulement = " ";
const std::string TexteRoulement = "Les dés roulent";
const std::string TitreReflexion = "CHUT !!! ";
const std::string TexteReflexion = "Je réfléchis...";
const std::string SonLancer = "LANCER";

// A filled cell holds the decimal text the recording wrote; anything else reads as 0.
int lireNombre(const std::string &texte) {
    int v = 0;
    std::from_chars(texte.data(), texte.data() + texte.size(), v);
    return v;
}

}  // namespace

// The two looks of the sheet, always in three steps: visibility, stock look,
// then the caption (a stock look brings its own caption, which ours replaces).
void Jeu::mettreAspectFeuille(bool montree) {
    c_.montrerGrille(montree);
    c_.styleBoutonGrille(montree ? StyleBouton::Abort : StyleBouton::Ok);
    c_.legendeBoutonGrille(montree ? LegendeMasquer : LegendeAfficher);
}

// NumLancer is 1..3 whenever the caption follows it (at 4 the caption keeps its 3).
void Jeu::legendeLancerNumero() { c_.legendeLancer(LegendesLancer[e_.NumLancer]); }

void Jeu::JouerSon(const std::string &nom) {
    if (!c_.sonCoche()) return;
    c_.jouerSon(nom);
}

void Jeu::FormCreate() {
    // The sheet's labels.
    c_.ecrireCellule(ColonneMarque, LigneTitres, std::string(MarqueLigne[LigneTitres]));
    c_.ecrireCellule(ColonneJoueur1, LigneTitres, e_.NomJoueur1);
    c_.ecrireCellule(ColonneJoueur2, LigneTitres, e_.NomJoueur2);
    for (int ligne = AS; ligne <= TOTAL_GENERAL; ++ligne) {
        c_.ecrireCellule(ColonneNom, ligne, std::string(NomLigne[ligne]));
        if (!MarqueLigne[ligne].empty()) c_.ecrireCellule(ColonneMarque, ligne, std::string(MarqueLigne[ligne]));
    }
    c_.selectionnerLigne(TOTAL_GENERAL);

    // The controls' start-up state (the record starts at its own values).
    for (int de = 1; de <= 5; ++de) c_.montrerFace(de, 1);
    legendeLancerNumero();
    c_.legendeJoueur(e_.NomJoueur1);
    c_.activerLancer(false);
}

void Jeu::BtGrilleClick() { mettreAspectFeuille(!c_.grilleVisible()); }

void Jeu::DeClick(int de) {
    if (!e_.TourEnCours) return;
    c_.montrerMarque(de, !c_.marqueVisible(de));
}

void Jeu::B_LancerClick() {
    mettreAspectFeuille(false);

    if (e_.NumLancer >= 4) {
        c_.activerLancer(false);
        return;
    }
    bool tousGardes = true;
    for (int de = 1; de <= 5; ++de) tousGardes = tousGardes && c_.marqueVisible(de);
    if (tousGardes) {
        c_.message(GenreMessage::Simple, "Vous avez décidé de garder tous les dés !");
        return;
    }

    JouerSon(SonLancer);

    derniereGraine_ = static_cast<std::uint32_t>(c_.heureUtcMs());
    hasard_.graine(derniereGraine_);

    for (int passe = 1; passe <= 5; ++passe) {
        for (int de = 1; de <= 5; ++de) {
            const int v = hasard_.Random(6) + 1;  // drawn for every die, held or not
            if (!c_.marqueVisible(de)) {
                e_.Des[de] = v;
                c_.montrerFace(de, v);
            }
        }
        c_.pauseDelai(TitreRoulement, TexteRoulement, 500);
    }

    e_.NbFaces = compterFaces(e_.Des);
    e_.TourEnCours = true;
    e_.NumLancer += 1;
    if (e_.NumLancer == 4)
        c_.activerLancer(false);
    else
        legendeLancerNumero();
}

void Jeu::GrilleMouseUp(int x, int y) {
    if (!e_.TourEnCours) return;
    const Cellule cellule = c_.celluleSous(x, y);
    if (cellule.ligne < 0) return;  // on no cell: nothing is chosen
    e_.LigneChoisie = cellule.ligne;
    e_.ColJoueur = e_.TourJoueur1 ? ColonneJoueur1 : ColonneJoueur2;
    if (!c_.celluleVide(e_.ColJoueur, e_.LigneChoisie) || estLigneDeTotal(e_.LigneChoisie)) {
        c_.message(GenreMessage::Avertissement, "CHOISISSEZ UNE MARQUE VALIDE !");
        return;
    }
    Inscription();
}

void Jeu::Inscription() {
    // 1. Show the sheet.
    mettreAspectFeuille(true);

    // 2. Score the row.
    const int k = e_.ColJoueur;
    const int r = e_.LigneChoisie;
    auto &s = e_.Scores[k];
    if (estLigneDeMarque(r)) {
        const Valeur v = valeurLigne(r, e_.Des, e_.NbFaces);
        if (v.condition) s[r] = v.points;
        c_.ecrireCellule(k, r, std::to_string(v.condition ? v.points : 0));
    }

    // 3. The column's totals.
    s[SOUS_TOTAL_HAUT] = 0;
    for (int l = AS; l <= SIX; ++l) s[SOUS_TOTAL_HAUT] += s[l];
    s[PRIME] = s[SOUS_TOTAL_HAUT] > SeuilPrime - 1 ? ValeurPrime : 0;
    s[SOUS_TOTAL_BAS] = 0;
    for (int l = BRELAN; l <= CHANCE; ++l) s[SOUS_TOTAL_BAS] += s[l];
    s[TOTAL_GENERAL] = s[SOUS_TOTAL_HAUT] + s[PRIME] + s[SOUS_TOTAL_BAS];
    for (int l : {SOUS_TOTAL_HAUT, PRIME, SOUS_TOTAL_BAS, TOTAL_GENERAL}) c_.ecrireCellule(k, l, std::to_string(s[l]));

    // 4. Reset the turn.
    e_.TourEnCours = false;
    e_.NumLancer = 1;
    legendeLancerNumero();
    for (int de = 1; de <= 5; ++de) c_.montrerMarque(de, false);

    // 5. Hand the turn over.
    e_.TourJoueur1 = !e_.TourJoueur1;
    c_.legendeJoueur(e_.TourJoueur1 ? e_.NomJoueur1 : e_.NomJoueur2);

    // 6. End of the game?
    e_.FinPartie = true;
    for (int col = ColonneJoueur1; col <= ColonneJoueur2; ++col)
        for (int l = AS; l <= TOTAL_GENERAL; ++l)
            if (c_.celluleVide(col, l)) e_.FinPartie = false;
    if (e_.FinPartie) {
        finDePartie();
        return;
    }

    // 7. The game goes on; the computer's whole turn runs nested, last.
    c_.activerLancer(true);
    if (e_.ContreOrdi && !e_.TourJoueur1) OrdiJoue();
}

void Jeu::finDePartie() {
    c_.activerLancer(false);
    const int gagnante = colonneGagnante();
    if (e_.ContreOrdi && gagnante == ColonneJoueur2) {
        JouerSon("MEILLEUR");
        e_.NomGagnant = "Je suis vraiment le meilleur !!!";
    } else {
        JouerSon("BRAVO");
        if (gagnante == ColonneJoueur1)
            e_.NomGagnant = "Félicitations " + e_.NomJoueur1 + "!";
        else if (gagnante == ColonneJoueur2)
            e_.NomGagnant = "Félicitations " + e_.NomJoueur2 + "!";
        else
            e_.NomGagnant = "Bravo à tous deux !";
    }
    c_.message(GenreMessage::Information, e_.NomGagnant);
}

int Jeu::colonneGagnante() const {
    const int t2 = e_.Scores[ColonneJoueur1][TOTAL_GENERAL];
    const int t3 = e_.Scores[ColonneJoueur2][TOTAL_GENERAL];
    return t2 > t3 ? ColonneJoueur1 : t3 > t2 ? ColonneJoueur2 : 0;
}

void Jeu::MenuNouvelleClick() {
    for (int de = 1; de <= 5; ++de) {
        c_.montrerFace(de, 1);
        c_.montrerMarque(de, false);
    }
    e_.TourEnCours = false;
    e_.NumLancer = 1;
    legendeLancerNumero();
    e_.TourJoueur1 = true;
    c_.legendeJoueur(e_.NomJoueur1);
    for (int col = ColonneJoueur1; col <= ColonneJoueur2; ++col)
        for (int l = AS; l <= TOTAL_GENERAL; ++l) c_.ecrireCellule(col, l, "");
    mettreAspectFeuille(false);
    e_.NbFaces.remplir(0);
    for (int col = ColonneJoueur1; col <= ColonneJoueur2; ++col) e_.Scores[col].remplir(0);
    c_.activerLancer(true);
}

void Jeu::N1Joueur1Click() {
    const ResultatNoms r = c_.demanderNoms(false);
    e_.NomJoueur1 = r.ok ? r.nom1 : "Joueur 1";
    e_.NomJoueur2 = "ORDY";
    e_.ContreOrdi = true;
    c_.ecrireCellule(ColonneJoueur1, LigneTitres, e_.NomJoueur1);
    c_.ecrireCellule(ColonneJoueur2, LigneTitres, e_.NomJoueur2);
    c_.legendeJoueur(e_.NomJoueur1);
}

void Jeu::N2Joueurs1Click() {
    e_.ContreOrdi = false;
    const ResultatNoms r = c_.demanderNoms(true);
    e_.NomJoueur1 = r.ok ? r.nom1 : "Joueur 1";
    e_.NomJoueur2 = r.ok ? r.nom2 : "Joueur 2";
    c_.ecrireCellule(ColonneJoueur1, LigneTitres, e_.NomJoueur1);
    c_.ecrireCellule(ColonneJoueur2, LigneTitres, e_.NomJoueur2);
    c_.legendeJoueur(e_.NomJoueur1);
}

ordi::Colonne Jeu::lireColonneOrdi() const {
    ordi::Colonne col;
    col.HautRempli = true;
    for (int l = AS; l <= TOTAL_GENERAL; ++l) {
        const std::string texte = c_.texteCellule(ColonneJoueur2, l);
        col.libre[l] = texte.empty();
        if (texte.empty()) ++col.CasesVides;
        if (l <= SIX) {
            if (texte.empty())
                col.HautRempli = false;
            else
                col.SommeHaut += lireNombre(texte);
        }
    }
    return col;
}

void Jeu::InscrireOrdi(int ligne, bool &aChoisir) {
    e_.LigneChoisie = ligne;
    Inscription();
    aChoisir = false;
}

void Jeu::OrdiJoue() {
    e_.ColJoueur = ColonneJoueur2;
    bool aChoisir = true;
    const ordi::Colonne col = lireColonneOrdi();

    while (e_.NumLancer < 4 && aChoisir) {
        PassageOrdi passage;
        for (int de = 1; de <= 5; ++de) passage.gardesAvant[de - 1] = c_.marqueVisible(de);

        B_LancerClick();
        c_.pauseDelai(TitreReflexion, TexteReflexion, 2000);

        const int k = e_.NumLancer - 1;
        for (int de = 1; de <= 5; ++de) c_.montrerMarque(de, false);
        const ordi::Analyse a = ordi::AnalyseJet(e_.Des, e_.NbFaces);
        const ordi::Decision d = ordi::appliquerRegles(k, e_.Des, e_.NbFaces, a, col);

        passage.roll = k;
        passage.graine = derniereGraine_;
        for (int de = 1; de <= 5; ++de) passage.des[de - 1] = e_.Des[de];

        int ligne = 0;
        if (d.inscrire) {
            ligne = d.ligne;
        } else {
            bool tous = true;
            for (int de = 1; de <= 5; ++de) tous = tous && d.Garde[de];
            // Holding all five would only get the roll refused, for ever: when
            // a rule holds them all, no roll is left to gain and the final
            // choice records the row now.
            if (k == 3 || tous) ligne = ordi::ChoixFinal(e_.NbFaces, a, col).ligne;
        }

        if (ligne != 0) {
            passage.inscrit = true;
            passage.ligne = ligne;
            InscrireOrdi(ligne, aChoisir);
            passage.score = e_.Scores[ColonneJoueur2][ligne];
        } else {
            for (int de = 1; de <= 5; ++de) {
                c_.montrerMarque(de, d.Garde[de]);
                passage.gardes[de - 1] = d.Garde[de];
            }
        }
        if (observateurOrdi) observateurOrdi(passage);
    }
}
