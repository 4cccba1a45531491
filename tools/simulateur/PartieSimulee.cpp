// SPDX-License-Identifier: GPL-3.0-or-later
#include "PartieSimulee.h"

#include "ControlesMemoire.h"
#include "Feuille.h"
#include "Invariants.h"
#include "Jeu.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

using namespace feuille;

void Statistiques::ajouter(int total, bool prime) {
    if (n == 0 || total < min) min = total;
    if (n == 0 || total > max) max = total;
    ++n;
    somme += total;
    sommeCarres += static_cast<long long>(total) * total;
    if (prime) ++primes;
}

void Statistiques::fusionner(const Statistiques &autre) {
    if (autre.n == 0) return;
    if (n == 0 || autre.min < min) min = autre.min;
    if (n == 0 || autre.max > max) max = autre.max;
    n += autre.n;
    somme += autre.somme;
    sommeCarres += autre.sommeCarres;
    primes += autre.primes;
    for (int l = 0; l < 18; ++l) zeros[l] += autre.zeros[l];
}

double Statistiques::moyenne() const { return n ? static_cast<double>(somme) / static_cast<double>(n) : 0; }

double Statistiques::ecartType() const {
    if (n < 2) return 0;
    const double m = moyenne();
    return std::sqrt(std::max(0.0, (static_cast<double>(sommeCarres) - static_cast<double>(n) * m * m) /
                                       static_cast<double>(n - 1)));
}

void Bilan::fusionner(const Bilan &autre) {
    ordy.fusionner(autre.ordy);
    simple.fusionner(autre.simple);
    victoiresOrdy += autre.victoiresOrdy;
    victoiresSimple += autre.victoiresSimple;
    egalites += autre.egalites;
    fautes += autre.fautes;
}

namespace {

std::uint64_t melanger(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void ajouterNombre(std::string &s, long long v) {
    char tampon[24];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, v);
    s.append(tampon, r.ptr);
}

void ajouterJson(std::string &s, const std::string &texte) {
    s += '"';
    for (const char ch : texte) {
        if (ch == '"' || ch == '\\') {
            s += '\\';
            s += ch;
        } else if (static_cast<unsigned char>(ch) < 0x20) {
            static const char hex[] = "0123456789abcdef";
            s += "\\u00";
            s += hex[(ch >> 4) & 0xF];
            s += hex[ch & 0xF];
        } else {
            s += ch;
        }
    }
    s += '"';
}

template <typename T>
void ajouterTableau(std::string &s, const std::array<T, 5> &t) {
    s += '[';
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i) s += ',';
        if constexpr (std::is_same_v<T, bool>) s += t[i] ? "true" : "false";
        else ajouterNombre(s, t[i]);
    }
    s += ']';
}

// The simple player's row: the free scoring row worth most, lowest on a tie.
int meilleureLigne(const EtatJeu &e, const ControlesMemoire &c) {
    int meilleure = 0, points = -1;
    for (int l = 1; l <= 17; ++l) {
        if (!estLigneDeMarque(l) || !c.cellules[ColonneJoueur1][l].empty()) continue;
        const int p = pointsInscrits(l, e.Des, e.NbFaces);
        if (p > points) { points = p; meilleure = l; }
    }
    return meilleure;
}

void noterFaute(std::string &fautes, long long partie, int tour, const std::string &texte) {
    fautes += "partie ";
    ajouterNombre(fautes, partie);
    if (tour) {
        fautes += ", tour ";
        ajouterNombre(fautes, tour);
    }
    fautes += " : " + texte + "\n";
}

void compter(Statistiques &s, const EtatJeu &e, const ControlesMemoire &c, int colonne) {
    s.ajouter(e.Scores[colonne][TOTAL_GENERAL], e.Scores[colonne][PRIME] == ValeurPrime);
    for (int l = 1; l <= 17; ++l)
        if (estLigneDeMarque(l) && c.cellules[colonne][l] == "0") ++s.zeros[l];
}

}  // namespace

std::int32_t heureDepart(unsigned long long graine, long long partie) {
    const std::uint64_t z = melanger(melanger(graine) + static_cast<std::uint64_t>(partie));
    return static_cast<std::int32_t>(z % ControlesMemoire::MsParJour);
}

void jouerPartie(unsigned long long graine, long long partie, bool verifier, Bilan &bilan, std::string *trace,
                 std::string &fautes) {
    // A fresh window and game each time: nothing is carried from one game to
    // the next, and what the controls record lives for one game only.
    ControlesMemoire c(heureDepart(graine, partie));
    Jeu jeu(c);
    jeu.FormCreate();
    jeu.MenuNouvelleClick();
    jeu.N1Joueur1Click();  // cancelled: "Joueur 1" against "ORDY"
    const EtatJeu &e = jeu.etat();

    int tourOrdi = 0;
    std::array<std::string, 18> colonneDebut{};
    if (trace) {
        jeu.observateurOrdi = [&](const PassageOrdi &p) {
            std::string &t = *trace;
            if (p.roll == 1) ++tourOrdi;
            t += "{\"game\": ";
            ajouterNombre(t, partie);
            t += ", \"turn\": ";
            ajouterNombre(t, tourOrdi);
            t += ", \"roll\": ";
            ajouterNombre(t, p.roll);
            t += ", \"seed\": ";
            ajouterNombre(t, p.graine);
            t += ", \"dice\": ";
            ajouterTableau(t, p.des);
            t += ", \"held_before\": ";
            ajouterTableau(t, p.gardesAvant);
            t += ", \"col3\": {";
            for (int l = 1; l <= 17; ++l) {
                if (l > 1) t += ", ";
                t += '"';
                ajouterNombre(t, l);
                t += "\": ";
                ajouterJson(t, colonneDebut[static_cast<std::size_t>(l)]);
            }
            t += "}, \"action\": ";
            if (p.inscrit) {
                t += "\"record\", \"row\": ";
                ajouterNombre(t, p.ligne);
                t += ", \"score\": ";
                ajouterNombre(t, p.score);
            } else {
                t += "\"hold\", \"hold\": ";
                ajouterTableau(t, p.gardes);
            }
            t += "}\n";
        };
    }

    for (int tour = 1; tour <= 13; ++tour) {
        jeu.B_LancerClick();
        if (trace)
            for (int l = 1; l <= 17; ++l) colonneDebut[static_cast<std::size_t>(l)] = c.cellules[ColonneJoueur2][l];
        const auto pt = ControlesMemoire::point(ColonneJoueur1, meilleureLigne(e, c));
        jeu.GrilleMouseUp(pt.x, pt.y);  // the computer's whole turn runs inside
        if (verifier) {
            for (const auto &f : verifierInvariants(e, c)) {
                noterFaute(fautes, partie, tour, f);
                ++bilan.fautes;
            }
        }
    }

    // Every game ends after its 26th recording, with one announcement.
    const bool finie = e.FinPartie && lignesRemplies(c, ColonneJoueur1) == 13 &&
                       lignesRemplies(c, ColonneJoueur2) == 13 && c.messages.size() == 1 &&
                       c.messages[0].genre == GenreMessage::Information && !c.lancerActif;
    if (!finie) {
        noterFaute(fautes, partie, 0, "fin de partie incorrecte");
        ++bilan.fautes;
    }
    compter(bilan.simple, e, c, ColonneJoueur1);
    compter(bilan.ordy, e, c, ColonneJoueur2);
    const int t2 = e.Scores[ColonneJoueur1][TOTAL_GENERAL], t3 = e.Scores[ColonneJoueur2][TOTAL_GENERAL];
    if (t2 > t3) ++bilan.victoiresSimple;
    else if (t3 > t2) ++bilan.victoiresOrdy;
    else ++bilan.egalites;
}
