// SPDX-License-Identifier: GPL-3.0-or-later
// Sound in a web browser: Web Audio decodes each WAV image once, by name, and
// plays it; a new sound stops the one that plays. The audio context is made at
// the first sound, which always follows a click (a browser lets sound start
// only after a gesture of the user). Failures are silent.
#include "SortieSon.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, kubrix_jouer_son, (const char *nom, const unsigned char *image, int taille), {
    const s = Module.kubrixSon || (Module.kubrixSon = {tampons: {}, source: null});
    try {
        if (!s.contexte) s.contexte = new (window.AudioContext || window.webkitAudioContext)();
        if (s.contexte.state === 'suspended') s.contexte.resume();
        const cle = UTF8ToString(nom);
        if (s.source) { try { s.source.stop(); } catch (e) {} s.source = null; }
        s.demande = null;
        const jouer = tampon => {
            const source = s.contexte.createBufferSource();
            source.buffer = tampon;
            source.connect(s.contexte.destination);
            source.start();
            s.source = source;
            console.debug('KUBRIX son ' + cle);  // what a check of the page waits on
        };
        if (s.tampons[cle]) { jouer(s.tampons[cle]); return; }
        // decodeAudioData takes its buffer away: a copy, not a view on the heap.
        const copie = HEAPU8.slice(image, image + taille).buffer;
        const demande = s.demande = {};
        s.contexte.decodeAudioData(copie).then(tampon => {
            s.tampons[cle] = tampon;
            if (s.demande === demande) jouer(tampon);  // not if stopped or replaced meanwhile
        }, () => {});
    } catch (e) {}
});

EM_JS(void, kubrix_arreter_son, (), {
    const s = Module.kubrixSon;
    if (!s) return;
    s.demande = null;
    if (s.source) { try { s.source.stop(); } catch (e) {} s.source = null; }
});
// clang-format on

namespace {

class SortieSonWeb : public SortieSon {
public:
    ~SortieSonWeb() override { arreter(); }
    void jouer(const std::string &nom, const unsigned char *image, std::size_t taille) override {
        kubrix_jouer_son(nom.c_str(), image, static_cast<int>(taille));
    }
    void arreter() override { kubrix_arreter_son(); }
};

}  // namespace

std::unique_ptr<SortieSon> creerSortieSon() { return std::make_unique<SortieSonWeb>(); }
