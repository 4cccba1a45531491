// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the game's pictures into assets/images/ (see assets/README.md).
//
//   generer_images [dossier_images]
//
// Each picture is drawn twice by the same code: at its size (name.png) and at
// twice its size (name@2x.png, which high-density screens show).
//
// The board is five flat colours laid down pixel by pixel, so its ovals land
// on exact pixel bounds. The dice are ray-marched rounded cubes in an oblique
// view (front face square to the viewer, top and right faces visible),
// supersampled, with every random draw from a fixed seed: two runs write the
// same bytes.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// ------------------------------------------------------------------ vectors

struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double scal(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double norme(V3 a) { return std::sqrt(scal(a, a)); }
V3 unitaire(V3 a) { return a * (1.0 / norme(a)); }

// ------------------------------------------------------------------ noise

// Integer hash: the same lattice values on every machine, unlike rand().
uint32_t hache(int32_t x, int32_t y, int32_t z, uint32_t graine)
{
    uint32_t h = graine * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double alea(int32_t x, int32_t y, int32_t z, uint32_t graine)
{
    return (hache(x, y, z, graine) & 0xFFFFFF) / double(0xFFFFFF);
}

// Smooth value noise in [0, 1].
double bruit(V3 p, uint32_t graine)
{
    const int32_t ix = int32_t(std::floor(p.x)), iy = int32_t(std::floor(p.y)),
                  iz = int32_t(std::floor(p.z));
    auto lisse = [](double t) { return t * t * (3 - 2 * t); };
    const double fx = lisse(p.x - ix), fy = lisse(p.y - iy), fz = lisse(p.z - iz);
    double v = 0;
    for (int dz = 0; dz < 2; ++dz)
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                v += alea(ix + dx, iy + dy, iz + dz, graine) * (dx ? fx : 1 - fx)
                     * (dy ? fy : 1 - fy) * (dz ? fz : 1 - fz);
    return v;
}

double fbm(V3 p, uint32_t graine)
{
    double v = 0, a = 0.5;
    for (int o = 0; o < 4; ++o, a *= 0.5, p = p * 2.03)
        v += a * bruit(p, graine + o);
    return v / 0.9375;
}

// ------------------------------------------------------------------ dice

constexpr double ARRONDI = 0.2;      // edge radius, die half-size being 1
constexpr double FUITE = 0.32;       // oblique shift of depth, up and right

// Distance from p to a rounded cube of half-size 1 centred on c.
double distance_de(V3 p, V3 c)
{
    const V3 q{std::abs(p.x - c.x) - (1 - ARRONDI), std::abs(p.y - c.y) - (1 - ARRONDI),
               std::abs(p.z - c.z) - (1 - ARRONDI)};
    const V3 dehors{std::max(q.x, 0.0), std::max(q.y, 0.0), std::max(q.z, 0.0)};
    return norme(dehors) + std::min(std::max(q.x, std::max(q.y, q.z)), 0.0) - ARRONDI;
}

// Pip centres of a face in [-1, 1]², v pointing up.
std::vector<std::array<double, 2>> points(int valeur)
{
    const double a = 0.52;
    switch (valeur) {
    case 1: return {{0, 0}};
    case 2: return {{-a, a}, {a, -a}};
    case 3: return {{-a, a}, {0, 0}, {a, -a}};
    case 4: return {{-a, a}, {a, a}, {-a, -a}, {a, -a}};
    case 5: return {{-a, a}, {a, a}, {0, 0}, {-a, -a}, {a, -a}};
    default: return {{-a, a}, {a, a}, {-a, 0}, {a, 0}, {-a, -a}, {a, -a}};
    }
}

struct De {
    V3 centre;
    int devant, dessus, droite;    // values on the three visible faces
};

// Faces of a right-handed die around the front-top-right corner: for each
// front value, a top and a right value (opposite faces add up to 7).
De de_montrant(int devant, V3 centre)
{
    static const int dessus[7] = {0, 3, 6, 5, 5, 1, 4};
    static const int droite[7] = {0, 2, 4, 6, 1, 4, 2};
    return {centre, devant, dessus[devant], droite[devant]};
}

struct Matiere {
    bool gres;               // sandy stone; otherwise plain white
    bool points_blancs;      // white pips with black rim; otherwise black pips
    double rayon_point;      // pip radius, in die half-sizes
    double bord_point;       // black rim width around white pips
    bool points_cotes;       // pips on the top and right faces too
};

struct Scene {
    std::vector<De> des;
    Matiere matiere;
    bool tapis;              // felt floor with shadow, else transparent
};

const V3 LUMIERE = unitaire({-0.35, 1.25, 0.45});
const V3 APPOINT = unitaire({0.9, 0.1, 0.45});   // soft fill from the right
const V3 VISEE = unitaire({-FUITE, -FUITE, -1}); // viewing direction

double distance_scene(const Scene &s, V3 p, int *quel = nullptr)
{
    double d = 1e9;
    for (size_t i = 0; i < s.des.size(); ++i) {
        const double di = distance_de(p, s.des[i].centre);
        if (di < d) {
            d = di;
            if (quel)
                *quel = int(i);
        }
    }
    return d;
}

V3 normale(const Scene &s, V3 p)
{
    const double e = 1e-4;
    return unitaire({distance_scene(s, p + V3{e, 0, 0}) - distance_scene(s, p - V3{e, 0, 0}),
                     distance_scene(s, p + V3{0, e, 0}) - distance_scene(s, p - V3{0, e, 0}),
                     distance_scene(s, p + V3{0, 0, e}) - distance_scene(s, p - V3{0, 0, e})});
}

// Soft shadow towards the light: 1 in full light, 0 in full shade.
double ombre(const Scene &s, V3 p)
{
    double res = 1, t = 0.02;
    for (int i = 0; i < 80 && t < 8; ++i) {
        const double d = distance_scene(s, p + LUMIERE * t);
        if (d < 1e-4)
            return 0;
        res = std::min(res, 6 * d / t);
        t += std::max(d, 0.01);
    }
    return std::clamp(res, 0.0, 1.0);
}

struct Echantillon {
    double r, g, b;
    bool touche;             // hit a die (for transparency)
};

// Colour of a point on a die, before lighting; tilts the normal n inside
// hollow pips.
Echantillon couleur_de(const Scene &s, const De &de, V3 p, V3 &n)
{
    const V3 l = p - de.centre;
    // Face under the point: the axis the normal leans most along.
    const double ax = std::abs(n.x), ay = std::abs(n.y), az = std::abs(n.z);
    int valeur = 0;
    double u = 0, v = 0;
    V3 tu, tv;
    if (az >= ax && az >= ay && n.z > 0) {
        valeur = de.devant; u = l.x; v = l.y; tu = {1, 0, 0}; tv = {0, 1, 0};
    } else if (ay >= ax && ay >= az && n.y > 0) {
        valeur = de.dessus; u = l.x; v = -l.z; tu = {1, 0, 0}; tv = {0, 0, -1};
    } else if (ax >= ay && ax >= az && n.x > 0) {
        valeur = de.droite; u = -l.z; v = l.y; tu = {0, 0, -1}; tv = {0, 1, 0};
    }

    Echantillon c{};
    if (s.matiere.gres) {
        // Sandstone: broad blotches, fine grain, a few dark and bright grains.
        const uint32_t g0 = 7 + 31 * uint32_t(&de - s.des.data());
        const double tache = fbm(l * 2.6, g0);
        const double grain = bruit(l * 21.0, g0 + 11);
        const double fin = alea(int32_t(std::floor(l.x * 40)), int32_t(std::floor(l.y * 40)),
                                int32_t(std::floor(l.z * 40)), g0 + 23);
        double k = 0.86 + 0.22 * (tache - 0.5) + 0.12 * (grain - 0.5);
        V3 base{0.87, 0.76, 0.56};
        if (fin > 0.965)
            base = {0.55, 0.45, 0.32};
        else if (fin < 0.02)
            base = {0.98, 0.94, 0.84};
        c = {base.x * k, base.y * k, base.z * k, true};
    } else {
        c = {0.97, 0.97, 0.95, true};
    }

    if (valeur == 0 || (valeur != de.devant && !s.matiere.points_cotes))
        return c;
    const double r = s.matiere.rayon_point, bord = s.matiere.bord_point;
    for (const auto &pt : points(valeur)) {
        const double du = u - pt[0], dv = v - pt[1];
        const double d = std::sqrt(du * du + dv * dv);
        if (d > r + bord)
            continue;
        if (!s.matiere.points_blancs) {
            if (d <= r)
                c = {0.05, 0.05, 0.06, true};
            return c;
        }
        if (d > r) {
            c = {0.03, 0.02, 0.02, true};
        } else {
            c = {0.97, 0.97, 0.95, true};
            // A hollow: the wall leans towards the pip's centre.
            n = unitaire(n - (tu * du + tv * dv) * (0.9 / r));
        }
        return c;
    }
    return c;
}

Echantillon trace(const Scene &s, V3 ecran)
{
    // Oblique rays: depth z moves the picture up and right by FUITE per unit.
    const V3 depart{ecran.x + FUITE * 4, ecran.y + FUITE * 4, 4};
    double t = 0;
    for (int i = 0; i < 200 && t < 20; ++i) {
        const V3 p = depart + VISEE * t;
        int quel = 0;
        const double d = distance_scene(s, p, &quel);
        if (d < 1e-5) {
            V3 n = normale(s, p);
            const De &de = s.des[size_t(quel)];
            Echantillon c = couleur_de(s, de, p, n);
            const double diffus = std::max(0.0, scal(n, LUMIERE));
            const double appoint = std::max(0.0, scal(n, APPOINT));
            const double ambiant = s.matiere.gres ? 0.38 : 0.56;   // white dice stay white
            const double lum = ambiant + 0.62 * diffus * (0.55 + 0.45 * ombre(s, p + n * 0.01))
                               + 0.22 * appoint;
            const V3 mi = unitaire(LUMIERE - VISEE);
            const double brillant = (s.matiere.gres ? 0.10 : 0.25)
                                    * std::pow(std::max(0.0, scal(n, mi)), 30);
            return {c.r * lum + brillant, c.g * lum + brillant, c.b * lum + brillant, true};
        }
        t += d * 0.9;
    }
    if (!s.tapis)
        return {0, 0, 0, false};
    // Felt floor at the dice's base: plain green, darker in their shadow.
    const double k = (-1 - depart.y) / VISEE.y;
    const V3 sol = depart + VISEE * k;
    const double proche = distance_scene(s, sol);
    double f = std::min(ombre(s, sol), 0.35 + 0.65 * std::clamp(proche / 0.25, 0.0, 1.0));
    // The shadow fades out well before the picture's edge, which must stay
    // plain felt for the dice to sit on the board without a seam.
    f = 1 - (1 - f) * std::clamp((0.55 - proche) / 0.35, 0.0, 1.0);
    const double vert = (0.5 + 0.5 * f) * 128.0 / 255.0;
    return {0, vert, 0, false};
}

// Renders the scene into a w×h picture, the scene's box [x0,x1]×[y0,y1]
// (screen units, y up) being centred and scaled to fit.
QImage rendre(const Scene &s, int w, int h, double x0, double x1, double y0, double y1,
              double echelle_max = 1e9)
{
    const double echelle = std::min({w / (x1 - x0), h / (y1 - y0), echelle_max});
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const int cote = 6;                                     // 6×6 samples a pixel
    QImage img(w, h, s.tapis ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            double r = 0, g = 0, b = 0;
            int touches = 0;
            for (int j = 0; j < cote; ++j)
                for (int i = 0; i < cote; ++i) {
                    const double sx = px + (i + 0.5) / cote, sy = py + (j + 0.5) / cote;
                    const V3 e{cx + (sx - w / 2.0) / echelle, cy + (h / 2.0 - sy) / echelle, 0};
                    const Echantillon c = trace(s, e);
                    if (!s.tapis && !c.touche)
                        continue;
                    r += c.r; g += c.g; b += c.b;
                    touches += c.touche;
                }
            const int n = s.tapis ? cote * cote : std::max(touches, 1);
            auto octet = [n](double v) { return std::clamp(int(std::lround(v / n * 255)), 0, 255); };
            const int alpha = s.tapis ? 255 : (touches * 255 + cote * cote / 2) / (cote * cote);
            img.setPixel(px, py, qRgba(octet(r), octet(g), octet(b), alpha));
        }
    return img;
}

// k: pixels per picture pixel (1, or 2 for the @2x pictures).
QImage face(int valeur, int k)
{
    const Scene s{{de_montrant(valeur, {0, 0, 0})}, {true, true, 0.2, 0.065, true}, true};
    // The die spans -1.3..1.3 both ways; its shadow falls to the right.
    return rendre(s, 86 * k, 86 * k, -1.45, 1.75, -1.6, 1.6, 27.0 * k);
}

// Two white dice, three and four, side by side, in a w×h picture drawn at k
// pixels per picture pixel: what is drawn is decided by w×h alone.
QImage deux_des(int w, int h, int k)
{
    const double x0 = -2.55, x1 = 2.55, y0 = -1.35, y1 = 1.35;
    // A pixel of margin all round, for the outline.
    const double echelle = std::min((w - 2) / (x1 - x0), (h - 2) / (y1 - y0));
    // In the small sizes the pips stay over a pixel wide, and those of the
    // narrow top and right faces, which would be mere smudges, are left out.
    const Matiere m{false, false, std::max(0.2, 0.75 / echelle), 0, echelle > 8};
    const Scene s{{de_montrant(3, {-1.2, 0, 0}), de_montrant(4, {1.2, 0, 0})}, m, false};
    w *= k;
    h *= k;
    QImage img = rendre(s, w, h, x0, x1, y0, y1, echelle * k);
    if (echelle > 14)
        return img;
    // A dark outline, one picture pixel wide, keeps the white dice apart from
    // a light background.
    std::vector<std::pair<int, int>> voisins;
    for (int dy = -k; dy <= k; ++dy)
        for (int dx = -k; dx <= k; ++dx)
            if ((dx || dy) && std::abs(dx) + std::abs(dy) <= k)
                voisins.push_back({dx, dy});
    QImage avec_bord = img;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int voisin = 0;
            for (auto [dx, dy] : voisins)
                if (x + dx >= 0 && x + dx < w && y + dy >= 0 && y + dy < h)
                    voisin = std::max(voisin, qAlpha(img.pixel(x + dx, y + dy)));
            const QRgb p = img.pixel(x, y);
            const int a = qAlpha(p);
            if (voisin <= a)
                continue;
            // the die over a dark grey halo, composited by hand
            const double k = a / 255.0;
            const int gris = 70;
            const int alpha = std::max(a, voisin);
            const double ka = k * 255.0 / alpha;
            auto mix = [&](int c) { return int(std::lround(c * ka + gris * (1 - ka))); };
            avec_bord.setPixel(x, y, qRgba(mix(qRed(p)), mix(qGreen(p)), mix(qBlue(p)), alpha));
        }
    return avec_bord;
}

// ------------------------------------------------------------------ board

QImage plateau(int k)
{
    enum { Marine, Noir, Sombre, Rouge, Vert };
    QImage img(577 * k, 376 * k, QImage::Format_Indexed8);
    img.setColorTable({qRgb(0, 0, 128), qRgb(0, 0, 0), qRgb(49, 0, 0), qRgb(99, 0, 0),
                       qRgb(0, 128, 0)});
    img.fill(Marine);
    // An oval covering exactly the picture pixels x0..x1, y0..y1.
    auto ovale = [&img, k](int x0, int y0, int x1, int y1, int couleur) {
        x0 *= k;
        y0 *= k;
        x1 = (x1 + 1) * k - 1;
        y1 = (y1 + 1) * k - 1;
        const double cx = (x0 + x1 + 1) / 2.0, cy = (y0 + y1 + 1) / 2.0;
        const double rx = (x1 + 1 - x0) / 2.0, ry = (y1 + 1 - y0) / 2.0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
                if (u * u + v * v <= 1)
                    img.setPixel(x, y, uint(couleur));
            }
    };
    ovale(7, 4, 569, 370, Noir);          // outline and shadow on the cloth
    ovale(9, 16, 567, 368, Sombre);       // the table's edge, seen at the front
    ovale(9, 5, 567, 355, Noir);          // crest line of the rim
    ovale(11, 6, 565, 353, Rouge);        // top of the rim, lit
    ovale(22, 13, 554, 343, Noir);        // a moulding groove along the rim
    ovale(23, 14, 553, 342, Rouge);
    ovale(38, 19, 537, 324, Sombre);      // inner slope, seen more at the far side
    ovale(45, 28, 530, 321, Noir);        // shade the rim casts on the felt
    ovale(48, 31, 527, 319, Vert);        // felt
    return img;
}

bool ecrire(QImage img, const QString &chemin, int k = 1)
{
    img.setDotsPerMeterX(3780 * k);       // 96 dpi at 1×, fixed so the bytes repeat
    img.setDotsPerMeterY(3780 * k);
    if (!img.save(chemin, "PNG")) {
        std::fprintf(stderr, "impossible d'écrire %s\n", qPrintable(chemin));
        return false;
    }
    std::printf("%s\n", qPrintable(chemin));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("assets/images");
    QDir().mkpath(dossier + "/icones");
    bool ok = true;
    for (int k : {1, 2}) {
        const QString suffixe = k == 1 ? QString(".png") : QString("@%1x.png").arg(k);
        ok = ecrire(plateau(k), dossier + "/plateau" + suffixe, k) && ok;
        for (int v = 1; v <= 6; ++v)
            ok = ecrire(face(v, k), dossier + QString("/face%1").arg(v) + suffixe, k) && ok;
        ok = ecrire(deux_des(32, 32, k), dossier + "/icone" + suffixe, k) && ok;
        ok = ecrire(deux_des(32, 16, k), dossier + "/bouton_lancer" + suffixe, k) && ok;
    }
    for (int taille : {16, 32, 48, 64, 128, 256})
        ok = ecrire(deux_des(taille, taille, 1), dossier + QString("/icones/kubrix-%1.png").arg(taille)) && ok;
    return ok ? 0 : 1;
}
