// SPDX-License-Identifier: GPL-3.0-or-later
// The computer: its analysis of a throw, its rules after each roll, its final
// choice, and whole turns.
#include "Banc.h"
#include "Ordi.h"

#include <initializer_list>
#include <set>
#include <tuple>

using namespace feuille;
using ordi::Colonne;

namespace {

// Column 3 with the given rows filled (and, once any is, its four total rows).
Colonne colonne(std::set<int> remplies, std::map<int, int> valeursHaut = {}) {
    Colonne c;
    if (!remplies.empty()) remplies.insert({SOUS_TOTAL_HAUT, PRIME, SOUS_TOTAL_BAS, TOTAL_GENERAL});
    c.HautRempli = true;
    for (int l = 1; l <= 17; ++l) {
        c.libre[l] = !remplies.count(l);
        if (c.libre[l]) ++c.CasesVides;
        if (l <= SIX) {
            if (c.libre[l]) c.HautRempli = false;
            else c.SommeHaut += valeursHaut.count(l) ? valeursHaut[l] : 0;
        }
    }
    return c;
}

// Every scoring row filled but these.
std::set<int> toutSauf(std::initializer_list<int> libres) {
    std::set<int> r;
    for (int l = 1; l <= 17; ++l)
        if (estLigneDeMarque(l) && std::find(libres.begin(), libres.end(), l) == libres.end()) r.insert(l);
    return r;
}

struct Jeté {
    Des des{};
    Faces n{};
    ordi::Analyse a;
};
Jeté jeter(const std::string &s) {
    Jeté j;
    for (int i = 1; i <= 5; ++i) j.des[i] = s[static_cast<std::size_t>(i - 1)] - '0';
    j.n = compterFaces(j.des);
    j.a = ordi::AnalyseJet(j.des, j.n);
    return j;
}

std::string gardes(const ordi::Gardes &g) {
    std::string s;
    for (int d = 1; d <= 5; ++d) s += g[d] ? 'G' : '.';
    return s;
}

}  // namespace

TEST(AnalyseJet, DrapeauxDesFigures) {
    // Y C B F 2P GS PS S3
    struct Cas { const char *jet; bool y, c, b, f, p2, gs, ps, s3; int total; } cas[] = {
        {"33333", 1, 0, 0, 1, 0, 0, 0, 0, 15},
        {"44424", 0, 1, 0, 0, 1, 0, 0, 0, 18},
        {"33355", 0, 0, 1, 1, 0, 0, 0, 0, 19},
        {"33356", 0, 0, 1, 0, 0, 0, 0, 0, 20},
        {"22355", 0, 0, 0, 0, 1, 0, 0, 0, 17},
        {"12345", 0, 0, 0, 0, 0, 1, 0, 0, 15},
        {"65432", 0, 0, 0, 0, 0, 1, 0, 0, 20},
        {"23455", 0, 0, 0, 0, 0, 0, 1, 0, 19},
        {"12346", 0, 0, 0, 0, 0, 0, 1, 0, 16},
        {"12356", 0, 0, 0, 0, 0, 0, 0, 1, 17},
        {"14566", 0, 0, 0, 0, 0, 0, 0, 1, 22},
        {"11224", 0, 0, 0, 0, 1, 0, 0, 0, 10},
        {"11226", 0, 0, 0, 0, 1, 0, 0, 0, 12},
        {"12256", 0, 0, 0, 0, 0, 0, 0, 0, 16},
    };
    for (const auto &k : cas) {
        const auto a = jeter(k.jet).a;
        EXPECT_EQ(a.TotalDes, k.total) << k.jet;
        EXPECT_EQ((std::array<bool, 8>{a.JeuYams, a.JeuCarre, a.JeuBrelan, a.JeuFull, a.JeuDeuxPaires,
                                       a.JeuGrandeSuite, a.JeuPetiteSuite, a.JeuSuite3}),
                  (std::array<bool, 8>{k.y, k.c, k.b, k.f, k.p2, k.gs, k.ps, k.s3}))
            << k.jet;
    }
}

TEST(ReglesOrdi, ChaqueRegleSurSesJets) {
    struct Cas {
        const char *nom;
        const char *jet;
        int k;
        Colonne col;
        int regle;
        int ligne;            // row recorded, 0 for a hold
        const char *garde;    // dice held, for a hold
    } cas[] = {
        {"yam's d'emblée", "55555", 1, colonne({}), 1, YAMS, ""},
        {"grande suite 1-5", "31254", 1, colonne({}), 4, GRANDE_SUITE, ""},
        {"grande suite 2-6", "23456", 1, colonne({}), 4, GRANDE_SUITE, ""},
        {"full gardé en FULL", "33355", 1, colonne({}), 9, FULL, ""},
        {"full sans FULL: le brelan est gardé", "33355", 1, colonne({FULL}), 3, 0, "GGG.."},
        {"carré pour le yam's", "44424", 1, colonne({}), 2, 0, "GGG.G"},
        {"carré au 2e lancer, CARRE libre", "44424", 2, colonne({}), 2, 0, "GGG.G"},
        {"carré au 2e lancer, CARRE pris", "44424", 2, colonne({CARRE}), 16, 0, "GGG.G"},
        {"carré au 3e lancer, quatre cases vides", "44424", 3, colonne(toutSauf({YAMS, CARRE, BRELAN, CHANCE})), 12,
         CARRE, ""},
        {"petite suite gardée pour la grande", "23455", 1, colonne({}), 5, 0, "GGGG."},
        {"petite suite sans grande", "23455", 1, colonne({GRANDE_SUITE}), 7, PETITE_SUITE, ""},
        {"petite suite au 2e lancer, PS prise", "23455", 2, colonne({PETITE_SUITE}), 16, 0, "...GG"},
        {"petite suite au 3e lancer, trois cases vides", "23455", 3,
         colonne(toutSauf({GRANDE_SUITE, PETITE_SUITE, CHANCE})), 7, PETITE_SUITE, ""},
        {"suite de trois au 1er lancer", "12356", 1, colonne({}), 6, 0, "GGG.."},
        {"suite de trois, paire de six", "14566", 1, colonne({}), 8, 0, ".GGG."},
        {"suite de trois, SIX pris", "14566", 1, colonne({SIX}), 6, 0, ".GGG."},
        {"suite de trois, paire de cinq", "13455", 1, colonne({SIX}), 8, 0, ".GGG."},
        {"suite de trois, paire de quatre", "13445", 1, colonne({}), 8, 0, ".GG.G"},
        {"suite de trois au 2e lancer", "12356", 2, colonne({}), 16, 0, "G...."},
        {"deux paires pour le full", "22355", 1, colonne({}), 10, 0, "GG.GG"},
        {"deux 2 et deux 5, FULL pris", "22355", 1, colonne({FULL}), 16, 0, "GG..."},
        {"deux 2 et deux 5, fin de partie", "22355", 2, colonne(toutSauf({BRELAN, DEUX, CINQ, TROIS})), 15, 0,
         "...GG"},
        {"brelan de 4, P = 63", "14446", 1, colonne({YAMS, AS, DEUX, CINQ, SIX}, {{AS, 3}, {DEUX, 4}, {CINQ, 20}, {SIX, 24}}), 11, QUATRE, ""},
        {"brelan de 4, P = 62", "14446", 1, colonne({YAMS, AS, DEUX, CINQ, SIX}, {{AS, 2}, {DEUX, 4}, {CINQ, 20}, {SIX, 24}}), 13, 0, ".GGG."},
        {"brelan de 6, TROIS et QUATRE libres, P = 42", "66612", 1, colonne({YAMS, AS, CINQ}, {{AS, 4}, {CINQ, 20}}), 11, SIX, ""},
        {"brelan de 6, P = 41", "66612", 1, colonne({YAMS, AS, CINQ}, {{AS, 3}, {CINQ, 20}}), 13, 0, "GGG.."},
        {"brelan de 3, QUATRE et CINQ libres, P = 36", "33315", 1, colonne({YAMS, SIX, AS}, {{SIX, 24}, {AS, 3}}), 11, TROIS, ""},
        {"brelan de 3, P = 35", "33315", 1, colonne({YAMS, SIX, AS}, {{SIX, 24}, {AS, 2}}), 13, 0, "GGG.."},
        {"carré, total 21", "55551", 1, colonne({YAMS, FULL}), 12, CARRE, ""},
        {"carré, six cases vides", "44424", 1, colonne(toutSauf({CARRE, QUATRE, CHANCE, BRELAN, AS, TROIS})), 16, 0,
         "GGG.G"},
        {"carré, CARRE pris: compté en BRELAN", "66665", 3, colonne({YAMS, CARRE}), 14, BRELAN, ""},
        {"carré, total 18: gardé", "44424", 1, colonne({YAMS, FULL}), 16, 0, "GGG.G"},
        {"carré, QUATRE pris", "44424", 1, colonne({YAMS, FULL, QUATRE}), 12, CARRE, ""},
        {"yam's sans YAM'S ni FULL: les cinq gardés", "44444", 1, colonne({YAMS, FULL}), 16, 0, "GGGGG"},
        {"brelan gardé pour le carré", "22215", 1, colonne({YAMS}), 13, 0, "GGG.."},
        {"brelan gardé pour le carré, le haut rempli", "22215", 1,
         colonne(toutSauf({CARRE, FULL, PETITE_SUITE, GRANDE_SUITE, CHANCE})), 13, 0, "GGG.."},
        {"brelan au 3e lancer", "33315", 3, colonne({}), 16, 0, "GGG.."},
        {"brelan > 25", "66654", 3, colonne({YAMS, CARRE}), 14, BRELAN, ""},
        {"brelan = 25", "66652", 3, colonne({YAMS, CARRE}), 16, 0, "GGG.."},
        {"brelan, SIX pris", "66612", 3, colonne({YAMS, SIX}), 14, BRELAN, ""},
        {"deux paires au 1er lancer, FULL libre", "11552", 1, colonne(toutSauf({BRELAN, SIX, AS, FULL})), 10, 0, "GGGG."},
        {"deux paires au 2e lancer: la plus haute", "11552", 2, colonne(toutSauf({BRELAN, SIX, AS, FULL})), 15, 0, "..GG."},
        {"deux paires au 2e lancer, trois cases vides", "11552", 2, colonne(toutSauf({BRELAN, AS, FULL})), 15, 0,
         "..GG."},
        {"une paire en fin de partie", "12256", 1, colonne(toutSauf({TROIS, CARRE, YAMS, BRELAN})), 15, 0, ".GG.."},
        {"une paire, six cases vides", "12256", 1, colonne(toutSauf({TROIS, CARRE, YAMS, BRELAN, FULL, CHANCE})), 16, 0, "....."},
        {"une paire, cinq cases vides", "12256", 1, colonne(toutSauf({TROIS, CARRE, YAMS, BRELAN, FULL})), 16, 0, "....."},
        {"brelan au 2e lancer, quatre cases vides", "22215", 2, colonne(toutSauf({BRELAN, CHANCE, FULL, PETITE_SUITE})),
         14, BRELAN, ""},
        {"aucune face libre", "12256", 1, colonne(toutSauf({CHANCE})), 16, 0, "....."},
    };
    for (const auto &k : cas) {
        const Jeté j = jeter(k.jet);
        const auto d = ordi::appliquerRegles(k.k, j.des, j.n, j.a, k.col);
        EXPECT_EQ(d.regle, k.regle) << k.nom;
        EXPECT_EQ(d.inscrire, k.ligne != 0) << k.nom;
        if (k.ligne) EXPECT_EQ(d.ligne, k.ligne) << k.nom;
        else EXPECT_EQ(gardes(d.Garde), k.garde) << k.nom;
    }
}

TEST(ReglesOrdi, ApresLeTroisiemeLancerLaRegleQuiGardeLaisseLeChoixFinal) {
    // Petite suite in hand, Grande and Petite SUITE free, two cells left: R5
    // holds, and the final choice gives up Grande SUITE rather than take 30.
    const Jeté j = jeter("23455");
    const Colonne col = colonne(toutSauf({GRANDE_SUITE, PETITE_SUITE}));
    EXPECT_EQ(col.CasesVides, 2);
    const auto d = ordi::appliquerRegles(3, j.des, j.n, j.a, col);
    EXPECT_FALSE(d.inscrire);
    EXPECT_EQ(d.regle, 5);
    const auto choix = ordi::ChoixFinal(j.n, j.a, col);
    EXPECT_EQ(choix.ligne, GRANDE_SUITE);
    EXPECT_EQ(choix.etape, 7);
}

TEST(ChoixFinal, EtapesDansLOrdre) {
    struct Cas { const char *nom; const char *jet; Colonne col; int ligne, etape, points; } cas[] = {
        {"F1: trois six", "12666", colonne({YAMS}), SIX, 1, 18},
        {"F2: paire d'as avant CHANCE", "11356", colonne({YAMS}), AS, 2, 2},
        {"F2: paire de quatre", "12446", colonne({YAMS}), QUATRE, 2, 8},
        {"F3: total 19", "12556", colonne(toutSauf({CHANCE, AS, CINQ})), CHANCE, 3, 19},
        {"F4: total 18", "12456", colonne(toutSauf({CHANCE, AS, CINQ})), AS, 4, 1},
        {"F5: CHANCE", "12356", colonne(toutSauf({CHANCE, CINQ, CARRE})), CHANCE, 5, 17},
        {"F6: YAM'S sacrifié", "23466", colonne(toutSauf({AS, FULL, CARRE, YAMS})), YAMS, 6, 0},
        {"F6 avant F7", "23466", colonne(toutSauf({AS, FULL, CARRE, YAMS, GRANDE_SUITE})), YAMS, 6, 0},
        {"F6 et F7 pas avant les 5 derniers tours", "23466",
         colonne(toutSauf({AS, FULL, CARRE, YAMS, BRELAN, GRANDE_SUITE})), AS, 9, 0},
        {"F7: Grande SUITE sacrifiée", "23466", colonne(toutSauf({GRANDE_SUITE, CARRE})), GRANDE_SUITE, 7, 0},
        {"F8: un cinq", "23556", colonne(toutSauf({CINQ, CARRE, BRELAN, GRANDE_SUITE, YAMS, FULL, PETITE_SUITE})), CINQ, 8, 10},
        {"F9: BRELAN à 0", "12455", colonne(toutSauf({BRELAN, CARRE})), BRELAN, 9, 0},
    };
    for (const auto &k : cas) {
        const Jeté j = jeter(k.jet);
        // No rule of the passes records on these throws after the third roll.
        EXPECT_FALSE(ordi::appliquerRegles(3, j.des, j.n, j.a, k.col).inscrire) << k.nom;
        const auto choix = ordi::ChoixFinal(j.n, j.a, k.col);
        EXPECT_EQ(choix.ligne, k.ligne) << k.nom;
        EXPECT_EQ(choix.etape, k.etape) << k.nom;
        EXPECT_EQ(pointsInscrits(choix.ligne, j.des, j.n), k.points) << k.nom;
    }
}

namespace {

struct TourOrdi : Banc {
    std::vector<PassageOrdi> passages;

    TourOrdi() {
        jeu.MenuNouvelleClick();
        jeu.N1Joueur1Click();
        jeu.observateurOrdi = [this](const PassageOrdi &p) { passages.push_back(p); };
    }

    // The human rolls and records `ligne`; the computer's first roll will be `premier`.
    void humainPuisOrdi(const char *jetHumain, int ligne, const char *premier) {
        lancer(jetHumain);
        c.horlogeMs = heurePour(jet(premier));
        cliquerLigne(ligne);
    }
};

}  // namespace

TEST_F(TourOrdi, YamsDEmbleeUnSeulLancer) {
    c.garderPauses = true;
    humainPuisOrdi("12345", GRANDE_SUITE, "66666");
    EXPECT_EQ(cellule(3, YAMS), "50");
    ASSERT_EQ(passages.size(), 1u);
    EXPECT_TRUE(passages[0].inscrit);
    EXPECT_EQ(passages[0].score, 50);
    // The human's roll, then the computer's: five steps and one thinking pause.
    ASSERT_EQ(c.pauses.size(), 11u);
    EXPECT_EQ(c.pauses[10].legende, "CHUT !!! ");
    EXPECT_EQ(c.pauses[10].texte, "Je réfléchis...");
    EXPECT_EQ(c.pauses[10].intervalleMs, 2000);
    for (int d = 1; d <= 5; ++d) EXPECT_FALSE(c.marques[static_cast<std::size_t>(d)]);
    EXPECT_EQ(c.legendeEtiJoueur, "Joueur 1");
    EXPECT_EQ(c.legendeLancement, "Lancer de dés 1");
    EXPECT_TRUE(c.lancerActif);
    EXPECT_TRUE(e.TourJoueur1);
    EXPECT_EQ(c.sons, (std::vector<std::string>{"LANCER", "LANCER"}));
    sansFaute();
}

TEST_F(TourOrdi, LesCinqDesGardesTerminentLeTourSurLeChoixFinal) {
    // Five fours with YAM'S and FULL filled: the rule would hold all five and
    // the roll would be refused for ever. The turn ends on the final choice.
    remplir(2, AS, 3); remplir(2, DEUX, 4);
    remplir(3, YAMS, 50); remplir(3, FULL, 25);
    humainPuisOrdi("33312", TROIS, "44444");
    ASSERT_EQ(passages.size(), 1u);
    EXPECT_TRUE(passages[0].inscrit);
    EXPECT_EQ(passages[0].ligne, QUATRE);
    EXPECT_EQ(cellule(3, QUATRE), "20");
    EXPECT_TRUE(c.messages.empty()) << "no refused roll";
    EXPECT_EQ(lignesRemplies(c, 3), 3);
    EXPECT_TRUE(e.TourJoueur1);
    sansFaute();
}

TEST_F(TourOrdi, LesDesGardesSontCeuxQueLaRegleAChoisis) {
    // Several whole computer turns: each hold shows its markers for the next
    // roll, and the kept dice do not move.
    int tours = 0, troisLancers = 0;
    for (int essai = 0; essai < 40 && tours < 12; ++essai) {
        passages.clear();
        lancer("12345");
        const int libre = [&] {
            for (int l = 1; l <= 17; ++l)
                if (estLigneDeMarque(l) && cellule(2, l).empty()) return l;
            return 0;
        }();
        c.horlogeMs = (essai * 7919) % ControlesMemoire::MsParJour;
        cliquerLigne(libre);
        ++tours;
        ASSERT_FALSE(passages.empty());
        for (std::size_t i = 0; i < passages.size(); ++i) {
            const auto &p = passages[i];
            EXPECT_EQ(p.roll, static_cast<int>(i) + 1);
            EXPECT_EQ(p.inscrit, i + 1 == passages.size()) << "one record, last";
            if (i > 0) {
                EXPECT_EQ(p.gardesAvant, passages[i - 1].gardes);
                for (std::size_t d = 0; d < 5; ++d)
                    if (p.gardesAvant[d]) { EXPECT_EQ(p.des[d], passages[i - 1].des[d]); }
            }
        }
        sansFaute();
        troisLancers += passages.size() == 3;
    }
    EXPECT_GT(troisLancers, 0) << "no turn went to its third roll";
}

TEST_F(TourOrdi, LeJeuLitSaColonneJusquAuSix) {
    // Both columns filled by recordings; ORDY's upper rows sum to 51, its SIX
    // included, so three fours (63) are recorded in QUATRE at once (R11).
    e.ContreOrdi = false;
    const std::tuple<int, const char *, int> tours[] = {
        {CHANCE, "11111", YAMS}, {BRELAN, "11123", AS}, {CARRE, "22134", DEUX},
        {FULL, "55551", CINQ}, {PETITE_SUITE, "66661", SIX}};
    for (const auto &[ligne2, jet3, ligne3] : tours) {
        lancer("12345");
        cliquerLigne(ligne2);
        lancer(jet3);
        cliquerLigne(ligne3);
    }
    ASSERT_EQ(cellule(3, SOUS_TOTAL_HAUT), "51");
    e.ContreOrdi = true;
    humainPuisOrdi("12345", GRANDE_SUITE, "14446");
    ASSERT_EQ(passages.size(), 1u);
    EXPECT_EQ(passages[0].ligne, QUATRE);
}

TEST(OrdiSeulementSaColonne, LaColonneDuJoueurNeChangeRien) {
    auto jouer = [](bool autreColonne) {
        ControlesMemoire c(1234567);
        Jeu jeu(c);
        jeu.FormCreate();
        jeu.MenuNouvelleClick();
        jeu.N1Joueur1Click();
        std::vector<std::pair<int, int>> inscrits;
        jeu.observateurOrdi = [&](const PassageOrdi &p) {
            if (p.inscrit) inscrits.emplace_back(p.ligne, p.score);
        };
        // Column 2 scores differently in the two runs, with the same clicks
        // and the same clock for the computer.
        for (int tour = 0; tour < 13; ++tour) {
            c.horlogeMs = 1000 + tour * 20000 + (autreColonne ? 3 : 0);
            jeu.B_LancerClick();
            c.horlogeMs = 50'000'000 + tour * 100'000;
            const int ligne = tour < 6 ? tour + 1 : tour + 3;
            const auto pt = ControlesMemoire::point(2, ligne);
            jeu.GrilleMouseUp(pt.x, pt.y);
        }
        return inscrits;
    };
    const auto a = jouer(false), b = jouer(true);
    EXPECT_EQ(a.size(), 13u);
    EXPECT_EQ(a, b);
}
