// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the committed sounds, pictures, fonts and resource list: exact WAV
// layouts (the player takes the bytes as they are), picture sizes and the
// pixels that must blend with the window and the felt.

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const QString RESSOURCES = QStringLiteral(KUBRIX_RESSOURCES);

QByteArray lire(const QString &relatif)
{
    QFile f(RESSOURCES + "/" + relatif);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QImage image(const QString &relatif)
{
    return QImage(RESSOURCES + "/" + relatif);
}

uint32_t u32(const QByteArray &b, qsizetype i)
{
    return uint32_t(uint8_t(b[i])) | uint32_t(uint8_t(b[i + 1])) << 8
           | uint32_t(uint8_t(b[i + 2])) << 16 | uint32_t(uint8_t(b[i + 3])) << 24;
}

uint16_t u16(const QByteArray &b, qsizetype i)
{
    return uint16_t(uint8_t(b[i]) | uint8_t(b[i + 1]) << 8);
}

// ------------------------------------------------------------------ sounds

struct Son {
    const char *fichier;
    qsizetype taille;          // whole file
    uint16_t canaux;
    uint32_t frequence;
    uint32_t octets_data;
    uint32_t taille_list;
    double secondes;
};

const Son SONS[] = {
    {"sons/LANCER.wav", 38672, 1, 11025, 38545, 74, 3.50},
    {"sons/BRAVO.wav", 69964, 2, 11128, 69888, 24, 3.14},
    {"sons/MEILLEUR.wav", 11438, 1, 11025, 11311, 74, 1.03},
};

class Sons : public ::testing::TestWithParam<Son> {};

TEST_P(Sons, DisposeExacteDesBlocs)
{
    const Son s = GetParam();
    const QByteArray b = lire(s.fichier);
    ASSERT_EQ(b.size(), s.taille) << s.fichier;

    EXPECT_EQ(b.mid(0, 4), "RIFF");
    EXPECT_EQ(u32(b, 4), uint32_t(s.taille - 8));
    EXPECT_EQ(b.mid(8, 4), "WAVE");

    // "fmt ": PCM, 8 bits, one byte per sample and channel
    ASSERT_EQ(b.mid(12, 4), "fmt ");
    ASSERT_EQ(u32(b, 16), 16u);
    EXPECT_EQ(u16(b, 20), 1) << "PCM";
    EXPECT_EQ(u16(b, 22), s.canaux);
    EXPECT_EQ(u32(b, 24), s.frequence);
    EXPECT_EQ(u32(b, 28), s.frequence * s.canaux) << "octets par seconde";
    EXPECT_EQ(u16(b, 32), s.canaux) << "bloc";
    EXPECT_EQ(u16(b, 34), 8);

    ASSERT_EQ(b.mid(36, 4), "data");
    ASSERT_EQ(u32(b, 40), s.octets_data);
    qsizetype i = 44 + s.octets_data;
    if (s.octets_data % 2) {
        EXPECT_EQ(b[i], '\0') << "octet de bourrage";
        ++i;
    }

    ASSERT_EQ(b.mid(i, 4), "LIST");
    ASSERT_EQ(u32(b, i + 4), s.taille_list);
    EXPECT_EQ(b.mid(i + 8, 4), "INFO");
    EXPECT_EQ(i + 8 + qsizetype(s.taille_list), b.size()) << "rien après LIST";

    // The INFO sub-chunks fill the LIST chunk exactly.
    qsizetype j = i + 12;
    const qsizetype fin = i + 8 + s.taille_list;
    while (j + 8 <= fin)
        j += 8 + ((u32(b, j + 4) + 1) & ~1u);
    EXPECT_EQ(j, fin);

    const double duree = double(s.octets_data) / s.canaux / s.frequence;
    EXPECT_NEAR(duree, s.secondes, 0.005);
}

TEST_P(Sons, NEstPasSilencieux)
{
    const Son s = GetParam();
    const QByteArray b = lire(s.fichier);
    ASSERT_GT(b.size(), 44 + qsizetype(s.octets_data));
    const QByteArray data = b.mid(44, s.octets_data);
    int crete = 0;
    double energie = 0;
    for (char c : data) {
        const int v = int(uint8_t(c)) - 128;
        crete = std::max(crete, std::abs(v));
        energie += v * v;
    }
    EXPECT_GT(crete, 64) << "trop faible";
    EXPECT_GT(std::sqrt(energie / data.size()), 3.0) << "presque muet";
    // and it is not one long silence followed by a blip
    int tranches_sonores = 0;
    const qsizetype tranche = data.size() / 10;
    for (int t = 0; t < 10; ++t) {
        int c = 0;
        for (char v : data.mid(t * tranche, tranche))
            c = std::max(c, std::abs(int(uint8_t(v)) - 128));
        tranches_sonores += c > 8;
    }
    EXPECT_GE(tranches_sonores, 7);
}

// Test names from the file names: "sons/LANCER.wav" -> "LANCER".
std::string nom_de(const char *fichier)
{
    std::string n = QString(fichier).section('/', -1).section('.', 0, 0).toStdString();
    for (char &c : n)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Wav, Sons, ::testing::ValuesIn(SONS),
                         [](const auto &info) { return nom_de(info.param.fichier); });

// ------------------------------------------------------------------ pictures

struct Dimensions {
    const char *fichier;
    int largeur, hauteur;
    bool transparent;
};

const Dimensions IMAGES[] = {
    {"images/plateau.png", 577, 376, false},
    {"images/face1.png", 86, 86, false},
    {"images/face2.png", 86, 86, false},
    {"images/face3.png", 86, 86, false},
    {"images/face4.png", 86, 86, false},
    {"images/face5.png", 86, 86, false},
    {"images/face6.png", 86, 86, false},
    {"images/icone.png", 32, 32, true},
    {"images/bouton_lancer.png", 32, 16, true},
    {"images/icones/kubrix-16.png", 16, 16, true},
    {"images/icones/kubrix-32.png", 32, 32, true},
    {"images/icones/kubrix-48.png", 48, 48, true},
    {"images/icones/kubrix-64.png", 64, 64, true},
    {"images/icones/kubrix-128.png", 128, 128, true},
    {"images/icones/kubrix-256.png", 256, 256, true},
};

class Images : public ::testing::TestWithParam<Dimensions> {};

TEST_P(Images, TailleEtTransparence)
{
    const Dimensions d = GetParam();
    const QImage img = image(d.fichier);
    ASSERT_FALSE(img.isNull()) << d.fichier;
    EXPECT_EQ(img.width(), d.largeur);
    EXPECT_EQ(img.height(), d.hauteur);
    EXPECT_EQ(img.hasAlphaChannel(), d.transparent);
    if (d.transparent) {
        // the background is see-through, the dice are not
        int opaques = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaques += qAlpha(img.pixel(x, y)) == 255;
        EXPECT_GT(opaques, img.width() * img.height() / 4);
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(img.width() - 1, img.height() - 1)), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Png, Images, ::testing::ValuesIn(IMAGES),
                         [](const auto &info) { return nom_de(info.param.fichier); });

const QRgb MARINE = qRgb(0, 0, 128);
const QRgb TAPIS = qRgb(0, 128, 0);

// Counts the bright blobs (pips) of at least `aire` pixels inside a box.
int taches_claires(const QImage &img, QRect boite, int aire)
{
    std::vector<char> vu(size_t(img.width() * img.height()), 0);
    auto clair = [&](int x, int y) {
        const QRgb p = img.pixel(x, y);
        return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200;
    };
    int taches = 0;
    for (int y = boite.top(); y <= boite.bottom(); ++y)
        for (int x = boite.left(); x <= boite.right(); ++x) {
            if (vu[size_t(y * img.width() + x)] || !clair(x, y))
                continue;
            int n = 0;
            std::vector<QPoint> pile{{x, y}};
            vu[size_t(y * img.width() + x)] = 1;
            while (!pile.empty()) {
                const QPoint p = pile.back();
                pile.pop_back();
                ++n;
                for (QPoint v : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + v;
                    if (!boite.contains(q) || vu[size_t(q.y() * img.width() + q.x())] || !clair(q.x(), q.y()))
                        continue;
                    vu[size_t(q.y() * img.width() + q.x())] = 1;
                    pile.push_back(q);
                }
            }
            taches += n >= aire;
        }
    return taches;
}

class Faces : public ::testing::TestWithParam<int> {};

TEST_P(Faces, CoinsSurLeTapisEtPoints)
{
    const int v = GetParam();
    const QImage img = image(QString("images/face%1.png").arg(v));
    ASSERT_EQ(img.size(), QSize(86, 86));
    for (QPoint c : {QPoint(0, 0), QPoint(85, 0), QPoint(0, 85), QPoint(85, 85)})
        EXPECT_EQ(img.pixel(c) & 0xFFFFFF, TAPIS & 0xFFFFFF) << "coin " << c.x() << "," << c.y();
    // The front face, square to the viewer, holds the die's value in pips.
    EXPECT_EQ(taches_claires(img, QRect(8, 29, 46, 46), 20), v);
}

INSTANTIATE_TEST_SUITE_P(Des, Faces, ::testing::Range(1, 7));

TEST(Plateau, BordsMarineTapisAuCentreCinqCouleurs)
{
    const QImage img = image("images/plateau.png");
    ASSERT_EQ(img.size(), QSize(577, 376));
    const int w = img.width(), h = img.height();
    for (int x = 0; x < w; ++x) {
        ASSERT_EQ(img.pixel(x, 0), MARINE) << x;
        ASSERT_EQ(img.pixel(x, h - 1), MARINE) << x;
    }
    for (int y = 0; y < h; ++y) {
        ASSERT_EQ(img.pixel(0, y), MARINE) << y;
        ASSERT_EQ(img.pixel(w - 1, y), MARINE) << y;
    }
    EXPECT_EQ(img.pixel(w / 2, 175), TAPIS);

    const QSet<QRgb> permises{MARINE, TAPIS, qRgb(0, 0, 0), qRgb(49, 0, 0), qRgb(99, 0, 0)};
    QSet<QRgb> vues;
    QRect table, tapis;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = img.pixel(x, y);
            vues.insert(p);
            if (p != MARINE)
                table |= QRect(x, y, 1, 1);
            if (p == TAPIS)
                tapis |= QRect(x, y, 1, 1);
        }
    EXPECT_EQ(vues, permises);
    EXPECT_EQ(table, QRect(QPoint(7, 4), QPoint(569, 370)));
    EXPECT_EQ(tapis, QRect(QPoint(48, 31), QPoint(527, 319)));
    // seen from the front: more rim below the felt than above it
    EXPECT_GT(table.bottom() - tapis.bottom(), tapis.top() - table.top());
}

// Each picture the window shows has its drawing at twice the size, listed
// beside it in the resources, for high-density screens: the same picture
// (the 1x one is close to it halved), not another one.
TEST(Images, DessinDoubleDeChaqueImageDeLaFenetre)
{
    const QByteArray qrc = lire("kubrix.qrc");
    for (const Dimensions &d : IMAGES) {
        const QString nom = QString(d.fichier);
        if (nom.contains("/icones/"))
            continue;  // the desktop's icons come in their own sizes
        const QString double_ = nom.chopped(4) + "@2x.png";
        const QImage un = image(nom), deux = image(double_);
        ASSERT_EQ(deux.size(), un.size() * 2) << qPrintable(double_);
        EXPECT_EQ(deux.hasAlphaChannel(), d.transparent) << qPrintable(double_);
        const QRegularExpression listee(QString("alias=\"%1\"[^>]*>%2<").arg(
            QRegularExpression::escape(double_.section('/', -1)), QRegularExpression::escape(double_)));
        EXPECT_TRUE(listee.match(QString::fromUtf8(qrc)).hasMatch()) << qPrintable(double_);
        const QImage moitie = deux.convertToFormat(QImage::Format_ARGB32)
                                  .scaled(un.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage ref = un.convertToFormat(QImage::Format_ARGB32);
        double ecart = 0;
        for (int y = 0; y < ref.height(); ++y)
            for (int x = 0; x < ref.width(); ++x) {
                const QRgb p = ref.pixel(x, y), q = moitie.pixel(x, y);
                ecart += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                         + std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
            }
        EXPECT_LT(ecart / (ref.width() * ref.height() * 4), 4.0) << qPrintable(double_);  // 2 at most; another face: 6.5
    }
}

TEST(BoutonLancer, CoinBasGaucheTransparent)
{
    const QImage img = image("images/bouton_lancer.png");
    ASSERT_EQ(img.size(), QSize(32, 16));
    EXPECT_EQ(qAlpha(img.pixel(0, 15)), 0);
}

// ------------------------------------------------------------------ fonts, resource list

TEST(Polices, TrueTypeEtLicence)
{
    for (const char *nom : {"LiberationSans-Regular", "LiberationSans-Italic", "LiberationSans-Bold",
                            "LiberationSerif-Regular", "LiberationSerif-Bold"}) {
        const QByteArray b = lire(QString("polices/%1.ttf").arg(nom));
        ASSERT_GT(b.size(), 100000) << nom;
        EXPECT_EQ(b.left(4), QByteArray("\x00\x01\x00\x00", 4)) << nom;
    }
    EXPECT_TRUE(lire("polices/LICENCE").contains("SIL OPEN FONT LICENSE Version 1.1"));
}

TEST(ListeRessources, ChaqueFichierExisteEtLesSonsEtImagesNeSontPasCompresses)
{
    const QByteArray qrc = lire("kubrix.qrc");
    ASSERT_FALSE(qrc.isEmpty());
    QXmlStreamReader xml(qrc);
    QString prefixe;
    QSet<QString> noms;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("qresource")) {
            prefixe = xml.attributes().value("prefix").toString();
        } else if (xml.name() == QLatin1String("file")) {
            const QString compression = xml.attributes().value("compression-algorithm").toString();
            const QString alias = xml.attributes().value("alias").toString();
            const QString chemin = xml.readElementText();
            EXPECT_TRUE(QFile::exists(RESSOURCES + "/" + chemin)) << qPrintable(chemin);
            const QString nom = prefixe + "/" + (alias.isEmpty() ? chemin : alias);
            noms.insert(nom);
            // Played and decoded where they lie in the program.
            if (nom.endsWith(".wav") || nom.endsWith(".png")) {
                EXPECT_EQ(compression, "none") << qPrintable(nom);
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    for (const char *attendu :
         {"/images/plateau.png", "/images/face1.png", "/images/face6.png", "/images/icone.png",
          "/images/bouton_lancer.png", "/sons/LANCER.wav", "/sons/BRAVO.wav", "/sons/MEILLEUR.wav",
          "/polices/LiberationSans-Regular.ttf", "/polices/LiberationSerif-Bold.ttf"})
        EXPECT_TRUE(noms.contains(attendu)) << attendu;
}

} // namespace
