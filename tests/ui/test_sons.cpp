// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds. Test machines usually have no audio device: what is checked is
// what the program hands to its output (which sound, where it lies, in which
// order), and what the PulseAudio output asks of its library, through a
// stand-in library that keeps a journal.
#include <QElapsedTimer>
#include <QResource>
#include <QTest>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "LectureWav.h"
#include "Sons.h"
#include "SortieSonPulse.h"

namespace {

// A WAV image: "RIFF", the chunks given, in order.
std::vector<unsigned char> image(const std::vector<std::pair<std::string, std::vector<unsigned char>>> &morceaux,
                                 bool bourrage = true) {
    auto ajouter32 = [](std::vector<unsigned char> &v, std::uint32_t x) {
        for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
    };
    std::vector<unsigned char> corps = {'W', 'A', 'V', 'E'};
    for (const auto &[nom, contenu] : morceaux) {
        corps.insert(corps.end(), nom.begin(), nom.end());
        ajouter32(corps, std::uint32_t(contenu.size()));
        corps.insert(corps.end(), contenu.begin(), contenu.end());
        if (bourrage && contenu.size() % 2) corps.push_back(0);
    }
    std::vector<unsigned char> r = {'R', 'I', 'F', 'F'};
    ajouter32(r, std::uint32_t(corps.size()));
    r.insert(r.end(), corps.begin(), corps.end());
    return r;
}
std::vector<unsigned char> fmt(int codage, int canaux, std::uint32_t frequence, int bits) {
    const std::uint32_t trame = std::uint32_t(canaux * bits / 8);
    std::vector<unsigned char> v;
    for (std::uint32_t x : {std::uint32_t(codage) | std::uint32_t(canaux) << 16, frequence, frequence * trame,
                            trame | std::uint32_t(bits) << 16})
        for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
    return v;
}

}  // namespace

TEST(LectureWav, LesImagesSontLuesSansDepasserLeurFin) {
    const std::vector<unsigned char> sept(7, 128), lesTrois(3, 128);
    const struct {
        const char *cas;
        std::vector<unsigned char> octets;
        int bits, canaux;
        std::size_t taille;  // 0: refused
    } cas[] = {
        {"mono 8 bits, données impaires, bourrage puis LIST",
         image({{"fmt ", fmt(1, 1, 11025, 8)}, {"data", sept}, {"LIST", std::vector<unsigned char>(74, 'x')}}), 8, 1, 7},
        {"morceau inconnu avant fmt", image({{"junk", lesTrois}, {"fmt ", fmt(1, 2, 11128, 8)}, {"data", sept}}), 8, 2, 6},
        {"16 bits stéréo : trames entières seulement", image({{"fmt ", fmt(1, 2, 22050, 16)}, {"data", sept}}), 16, 2, 4},
        {"pas du PCM", image({{"fmt ", fmt(3, 1, 11025, 32)}, {"data", sept}}), 0, 0, 0},
        {"data avant fmt", image({{"data", sept}, {"fmt ", fmt(1, 1, 11025, 8)}}), 0, 0, 0},
        {"sans data", image({{"fmt ", fmt(1, 1, 11025, 8)}}), 0, 0, 0},
        {"data vide", image({{"fmt ", fmt(1, 1, 11025, 8)}, {"data", {}}}), 0, 0, 0},
        {"fréquence nulle", image({{"fmt ", fmt(1, 1, 0, 8)}, {"data", sept}}), 0, 0, 0},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.cas);
        const auto son = lireWav(c.octets.data(), c.octets.size());
        ASSERT_EQ(son.has_value(), c.taille != 0);
        if (!son) continue;
        EXPECT_EQ(son->bits, c.bits);
        EXPECT_EQ(son->canaux, c.canaux);
        EXPECT_EQ(son->taille, c.taille);
        EXPECT_LE(son->echantillons + son->taille, c.octets.data() + c.octets.size());
    }
    // Lengths that point past the end: a data chunk that says more than the
    // image holds is played as far as it goes; a chunk to skip that says more
    // is refused; an image cut inside a header too.
    std::vector<unsigned char> longue = image({{"fmt ", fmt(1, 1, 11025, 8)}, {"data", sept}}, false);
    longue[40] = 0xff, longue[41] = 0xff, longue[42] = 0xff, longue[43] = 0xff;
    const auto coupee = lireWav(longue.data(), longue.size());
    ASSERT_TRUE(coupee.has_value());
    EXPECT_EQ(coupee->taille, 7u);
    std::vector<unsigned char> saut = image({{"LIST", lesTrois}, {"fmt ", fmt(1, 1, 11025, 8)}, {"data", sept}});
    saut[16] = 0xf0, saut[17] = 0xff, saut[18] = 0xff, saut[19] = 0xff;
    EXPECT_FALSE(lireWav(saut.data(), saut.size()).has_value());
    for (std::size_t n : {std::size_t(0), std::size_t(11), std::size_t(30)})
        EXPECT_FALSE(lireWav(longue.data(), n).has_value()) << n;
}

namespace {

// Keeps what it is asked to play.
struct SortieNotee : SortieSon {
    std::vector<std::string> *appels;
    explicit SortieNotee(std::vector<std::string> *a) : appels(a) {}
    void jouer(const std::string &nom, const unsigned char *image, std::size_t taille) override {
        const QResource r(QStringLiteral(":/sons/") + QString::fromStdString(nom) + QStringLiteral(".wav"));
        // Played where it lies in the program: neither copied nor read from a file.
        appels->push_back(nom + (image == r.data() && taille == std::size_t(r.size()) ? "" : " (copie)"));
    }
    void arreter() override { appels->push_back("arrêt"); }
};

}  // namespace

TEST(Sons, ChaqueSonVaALaSortieTelQuIlEstDansLeProgramme) {
    std::vector<std::string> appels;
    Sons sons(nullptr, QStringLiteral(":/sons/"), std::make_unique<SortieNotee>(&appels));
    const QStringList suite = {"LANCER", "LANCER", "BRAVO", "INCONNU", "MEILLEUR"};
    for (const QString &nom : suite) sons.jouer(nom);
    EXPECT_EQ(sons.demandes(), suite);
    EXPECT_EQ(appels, (std::vector<std::string>{"LANCER", "LANCER", "BRAVO", "arrêt", "MEILLEUR"}));

    // Our reader takes the program's three sounds (their formats are checked with the resources).
    for (const char *nom : {"LANCER", "BRAVO", "MEILLEUR"}) {
        const QResource r(QStringLiteral(":/sons/") + QLatin1String(nom) + QStringLiteral(".wav"));
        EXPECT_TRUE(lireWav(r.data(), std::size_t(r.size())).has_value()) << nom;
    }
}

namespace {

// The PulseAudio output over the stand-in library.
struct PulseFactice {
    void *bibliotheque = dlopen(KUBRIX_FAUX_PULSE, RTLD_NOW);
    const char *(*journal)() = nullptr;
    void (*attenteOuverture)(int) = nullptr;
    void (*attenteEcriture)(int) = nullptr;
    std::string lu;
    PulseFactice() {
        if (!bibliotheque) return;
        journal = reinterpret_cast<const char *(*)()>(dlsym(bibliotheque, "faux_pulse_journal"));
        attenteOuverture = reinterpret_cast<void (*)(int)>(dlsym(bibliotheque, "faux_pulse_attente_ouverture"));
        attenteEcriture = reinterpret_cast<void (*)(int)>(dlsym(bibliotheque, "faux_pulse_attente_ecriture"));
        journal();
    }
    ~PulseFactice() {
        if (attenteOuverture) attenteOuverture(0);
        if (attenteEcriture) attenteEcriture(0);
    }
    // Where the journal stands now: attendre(ligne, marque()) waits for a line
    // written after this point, not for one seen before.
    std::size_t marque() {
        lu += journal();
        return lu.size();
    }
    // The journal since `depuis`, once `ligne` is in that part (or after 5 s).
    std::string attendre(const std::string &ligne, std::size_t depuis = 0) {
        (void)QTest::qWaitFor([&] { lu += journal(); return lu.find(ligne, depuis) != std::string::npos; }, 5000);
        return lu.substr(depuis);
    }
    static std::size_t ecrits(const std::string &j) {
        std::istringstream l(j);
        std::string mot;
        std::size_t total = 0, n = 0;
        while (l >> mot)
            if (mot == "ecrit" && l >> n) total += n;
        return total;
    }
};

const unsigned char *octets(const char *nom, std::size_t *taille) {
    const QResource r(QStringLiteral(":/sons/") + QLatin1String(nom) + QStringLiteral(".wav"));
    *taille = std::size_t(r.size());
    return r.data();
}

}  // namespace

// A new sound cuts the one that plays (what is queued goes) and plays whole;
// a sound of another format gets a stream of its own; each stream is let go.
TEST(SortieSonPulse, UnNouveauSonCoupeLePrecedentEtSeJoueEntier) {
    PulseFactice f;
    ASSERT_NE(f.journal, nullptr) << dlerror();
    std::size_t nLancer = 0, nBravo = 0;
    const unsigned char *lancer = octets("LANCER", &nLancer), *bravo = octets("BRAVO", &nBravo);
    {
        SortieSonPulse sortie(KUBRIX_FAUX_PULSE);
        sortie.jouer("LANCER", lancer, nLancer);
        f.attendre("ecrit");
        sortie.jouer("LANCER", lancer, nLancer);  // a roll during the sound of the one before
        f.attendre("vide");
        sortie.jouer("BRAVO", bravo, nBravo);
        const std::string j = f.attendre("attend");
        const std::size_t coupe = j.find("ouvre 3 11128 2");
        ASSERT_NE(coupe, std::string::npos) << j;
        EXPECT_EQ(j.substr(0, j.find('\n')), "ouvre 3 11025 1");
        EXPECT_EQ(j.rfind("ouvre 3 11025 1"), 0u) << "same format: same stream\n" << j;
        EXPECT_LT(PulseFactice::ecrits(j.substr(0, coupe)), nLancer) << j;  // both cut (half of it, in 16 bits)
        EXPECT_EQ(PulseFactice::ecrits(j.substr(coupe)), 2 * lireWav(bravo, nBravo)->taille);  // in 16 bits
        EXPECT_NE(j.find("libere", j.find("attend")), std::string::npos);
        EXPECT_EQ(j.find("ecrit", coupe), j.find("ecrit", j.find("libere") + 1)) << "the first stream closed before";
    }
    EXPECT_EQ(f.journal(), std::string());  // nothing left open nor written after
}

// The game never waits for its sound: not for a slow server, not at a stop,
// not when the program ends in the middle of a sound; without the library at
// all, nothing happens. What would show a wait is the stand-in's delay itself
// (1 s to open, 2 s to write), so the bounds sit below it, not near zero; at
// the end the output promises to wait half a second for its thread, no more.
TEST(SortieSonPulse, RienNAttendLeSon) {
    PulseFactice f;
    ASSERT_NE(f.journal, nullptr) << dlerror();
    std::size_t n = 0;
    const unsigned char *lancer = octets("LANCER", &n);
    f.attenteOuverture(1000);
    QElapsedTimer chrono;
    chrono.start();
    auto sortie = std::make_unique<SortieSonPulse>(KUBRIX_FAUX_PULSE);
    sortie->jouer("LANCER", lancer, n);
    EXPECT_LT(chrono.elapsed(), 800) << "the stream opens on the output's own thread";
    f.attendre("ecrit");
    sortie->arreter();
    std::string j = f.attendre("libere");
    EXPECT_NE(j.find("vide\nlibere"), std::string::npos) << j;

    // Quitting in the middle of a sound cuts it: what is queued goes, the
    // stream is let go, the rest is never written.
    std::size_t m = f.marque();
    sortie->jouer("LANCER", lancer, n);
    f.attendre("ecrit", m);
    chrono.restart();
    sortie.reset();
    EXPECT_LT(chrono.elapsed(), 1500);
    j = f.attendre("libere", m);
    EXPECT_NE(j.find("vide\nlibere"), std::string::npos) << j;
    EXPECT_LT(PulseFactice::ecrits(j), 2 * lireWav(lancer, n)->taille) << j;  // in 16 bits

    // A server that no longer takes anything does not keep the program from
    // quitting: the output waits for its thread half a second, no more.
    f.attenteOuverture(0);
    sortie = std::make_unique<SortieSonPulse>(KUBRIX_FAUX_PULSE);
    m = f.marque();
    sortie->jouer("LANCER", lancer, n);
    f.attendre("ecrit", m);
    f.attenteEcriture(2000);
    m = f.marque();
    f.attendre("bloque", m);  // the thread is inside a write that lasts 2 s
    chrono.restart();
    sortie.reset();
    EXPECT_LT(chrono.elapsed(), 1500);

    SortieSonPulse sansBibliotheque("/nulle-part/libpulse-simple.so.0");
    chrono.restart();
    sansBibliotheque.jouer("LANCER", lancer, n);
    sansBibliotheque.jouer("BRAVO", lancer, 20);  // not a whole image: refused
    EXPECT_LT(chrono.elapsed(), 800);
}

// A sound that could not start for more than a second (a server frozen, then
// back) drops what should have sounded already, and plays the rest.
TEST(SortieSonPulse, UnSonEnRetardPerdCeQuiEstPasse) {
    PulseFactice f;
    ASSERT_NE(f.journal, nullptr) << dlerror();
    std::size_t n = 0;
    const unsigned char *lancer = octets("LANCER", &n);
    const std::size_t entier = 2 * lireWav(lancer, n)->taille, parSeconde = 2 * 11025;
    f.attenteOuverture(1500);
    SortieSonPulse sortie(KUBRIX_FAUX_PULSE);
    const std::size_t m = f.marque();
    sortie.jouer("LANCER", lancer, n);
    const std::size_t ecrits = PulseFactice::ecrits(f.attendre("attend", m));  // played to its end
    EXPECT_LT(ecrits, entier - parSeconde * 4 / 10);
    EXPECT_GT(ecrits, entier / 2);
}
