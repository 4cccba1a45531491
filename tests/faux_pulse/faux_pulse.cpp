// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for PulseAudio's "simple" client library: it plays nothing,
// takes ten times less than the real time to "play" what it is given, and
// keeps a journal of the calls, which the tests read through faux_pulse_journal.
#include "FormatPulse.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

struct pa_simple {};

namespace {
std::mutex verrou;
std::string journal;
std::uint32_t octetsParSeconde = 1;
std::atomic<int> attenteOuvertureMs{0};
std::atomic<int> attenteEcritureMs{0};

void noter(const std::string &ligne) {
    std::lock_guard<std::mutex> g(verrou);
    journal += ligne + '\n';
}
}  // namespace

extern "C" {

__attribute__((visibility("default"))) pa_simple *pa_simple_new(const char *, const char *, pa_stream_direction_t,
                                                                 const char *, const char *, const FormatPa *f,
                                                                 const pa_channel_map *, const pa_buffer_attr *, int *) {
    std::this_thread::sleep_for(std::chrono::milliseconds(attenteOuvertureMs.load()));
    octetsParSeconde = f->rate * f->channels * (f->format == PA_SAMPLE_U8 ? 1 : 2);
    noter("ouvre " + std::to_string(f->format) + " " + std::to_string(f->rate) + " " + std::to_string(f->channels));
    static pa_simple flux;
    return &flux;
}
__attribute__((visibility("default"))) int pa_simple_write(pa_simple *, const void *, std::size_t n, int *) {
    const int attente = attenteEcritureMs;
    if (attente > 0) noter("bloque");  // the tests wait for the thread to be held here
    std::this_thread::sleep_for(std::chrono::microseconds(n * 100000 / octetsParSeconde) +
                                std::chrono::milliseconds(attente));
    noter("ecrit " + std::to_string(n));
    return 0;
}
__attribute__((visibility("default"))) int pa_simple_flush(pa_simple *, int *) { noter("vide"); return 0; }
__attribute__((visibility("default"))) int pa_simple_drain(pa_simple *, int *) { noter("attend"); return 0; }
__attribute__((visibility("default"))) void pa_simple_free(pa_simple *) { noter("libere"); }

// For the tests.
__attribute__((visibility("default"))) const char *faux_pulse_journal() {
    static std::string copie;
    std::lock_guard<std::mutex> g(verrou);
    copie = journal;
    journal.clear();
    return copie.c_str();
}
__attribute__((visibility("default"))) void faux_pulse_attente_ouverture(int ms) { attenteOuvertureMs = ms; }
// A server that stops taking samples.
__attribute__((visibility("default"))) void faux_pulse_attente_ecriture(int ms) { attenteEcritureMs = ms; }
}
