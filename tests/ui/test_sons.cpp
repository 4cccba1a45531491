// The sounds. Test machines usually have no audio device, so what is checked
// is what the program asks of Qt: which sounds, in which order, and that a
// new sound stops the one before.
#include <QElapsedTimer>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QtEndian>
#include <gtest/gtest.h>

#include "Sons.h"

namespace {

// A PCM WAV image: 8 bits, mono, 11025 Hz, `ms` long, a soft square wave.
QByteArray wav(int ms) {
    const quint32 n = quint32(11025LL * ms / 1000);
    QByteArray donnees(int(n), '\0');
    for (quint32 i = 0; i < n; ++i) donnees[int(i)] = char((i / 20) % 2 ? 140 : 116);
    auto u32 = [](quint32 v) { QByteArray b(4, '\0'); qToLittleEndian(v, b.data()); return b; };
    auto u16 = [](quint16 v) { QByteArray b(2, '\0'); qToLittleEndian(v, b.data()); return b; };
    QByteArray f = "RIFF" + u32(36 + n) + "WAVE";
    f += "fmt " + u32(16) + u16(1) + u16(1) + u32(11025) + u32(11025) + u16(1) + u16(8);
    f += "data" + u32(n) + donnees;
    return f;
}

// The three sounds written as files, and a Sons that plays them.
struct SonsDeTest {
    QTemporaryDir dossier;
    std::unique_ptr<Sons> sons;
    SonsDeTest() {
        for (const char *nom : {"LANCER", "BRAVO", "MEILLEUR"}) {
            QFile f(dossier.filePath(QLatin1String(nom) + QStringLiteral(".wav")));
            if (f.open(QIODevice::WriteOnly)) f.write(wav(3000));
        }
        sons = std::make_unique<Sons>(nullptr, QUrl::fromLocalFile(dossier.path()).toString() + QLatin1Char('/'));
    }
    bool tousCharges() const {
        for (const char *nom : {"LANCER", "BRAVO", "MEILLEUR"}) {
            QSoundEffect *e = sons->effet(QLatin1String(nom));
            if (!e || e->status() != QSoundEffect::Ready) return false;
        }
        return true;
    }
};

}  // namespace

TEST(Sons, LesDemandesSontNoteesDansLOrdre) {
    SonsDeTest t;
    const QStringList suite = {"LANCER", "LANCER", "BRAVO", "INCONNU", "MEILLEUR"};
    for (const QString &nom : suite) t.sons->jouer(nom);
    EXPECT_EQ(t.sons->demandes(), suite);
}

// Each call returns at once, whether the sound is loaded, missing or
// unplayable for want of a device.
TEST(Sons, JouerRevientAussitotMemeSansSonOuSansPeripherique) {
    SonsDeTest t;
    Sons absents(nullptr, QStringLiteral("qrc:/nulle-part/"));
    const struct { Sons *sons; const char *nom; } cas[] = {
        {t.sons.get(), "LANCER"},  {t.sons.get(), "INCONNU"}, {&absents, "LANCER"},
        {&absents, "BRAVO"},       {t.sons.get(), "BRAVO"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        QElapsedTimer chrono;
        chrono.start();
        c.sons->jouer(QLatin1String(c.nom));
        EXPECT_LT(chrono.elapsed(), 50);
    }
    QTest::qWait(100);  // let the loading fail or end: nothing may come of it
    EXPECT_EQ(absents.demandes().size(), 2);
}

// A new sound stops the one before; the same sound again keeps its effect.
TEST(Sons, UnNouveauSonArreteLePrecedent) {
    SonsDeTest t;
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.tousCharges(); }, 3000));
    Sons &s = *t.sons;
    QSoundEffect *lancer = s.effet(QStringLiteral("LANCER"));
    QSoundEffect *bravo = s.effet(QStringLiteral("BRAVO"));
    QSoundEffect *meilleur = s.effet(QStringLiteral("MEILLEUR"));

    s.jouer(QStringLiteral("LANCER"));
    EXPECT_TRUE(lancer->isPlaying());
    EXPECT_EQ(s.courant(), lancer);

    s.jouer(QStringLiteral("LANCER"));  // a roll during the previous one's sound
    EXPECT_TRUE(lancer->isPlaying());
    EXPECT_EQ(s.courant(), lancer);

    s.jouer(QStringLiteral("BRAVO"));
    EXPECT_FALSE(lancer->isPlaying());
    EXPECT_TRUE(bravo->isPlaying());

    s.jouer(QStringLiteral("MEILLEUR"));
    EXPECT_FALSE(bravo->isPlaying());
    EXPECT_TRUE(meilleur->isPlaying());
    EXPECT_FALSE(lancer->isPlaying());
}

// The program's own sounds, once they are in the resources.
TEST(Sons, LesSonsDuProgrammeSeChargent) {
    if (!QFile::exists(QStringLiteral(":/sons/LANCER.wav")))
        GTEST_SKIP() << "pas encore de sons dans les ressources";
    Sons s;
    for (const char *nom : {"LANCER", "BRAVO", "MEILLEUR"}) {
        SCOPED_TRACE(nom);
        QSoundEffect *e = s.effet(QLatin1String(nom));
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([e] { return e->status() != QSoundEffect::Loading; }, 3000));
        EXPECT_EQ(e->status(), QSoundEffect::Ready);
    }
}
