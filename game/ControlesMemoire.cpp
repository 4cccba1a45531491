// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlesMemoire.h"

void ControlesMemoire::pauseDelai(const std::string &legende, const std::string &texte, int intervalleMs) {
    ++nbPauses;
    horlogeMs = static_cast<std::int32_t>((static_cast<long long>(horlogeMs) + intervalleMs) % MsParJour);
    if (garderPauses || surPause) {
        Pause p{legende, texte, intervalleMs};
        if (surPause) surPause(p);
        if (garderPauses) pauses.push_back(std::move(p));
    }
}

void ControlesMemoire::message(GenreMessage genre, const std::string &texte) {
    Message m{genre, texte};
    if (surMessage) surMessage(m);
    messages.push_back(std::move(m));
}

ResultatNoms ControlesMemoire::demanderNoms(bool deuxJoueurs) {
    demandesNoms.push_back(deuxJoueurs);
    if (reponsesNoms.empty()) return {};
    ResultatNoms r = reponsesNoms.front();
    reponsesNoms.pop_front();
    return r;
}
