// SPDX-License-Identifier: GPL-3.0-or-later
// Sound through Qt Multimedia, where the system has no player of ours
// (macOS): one effect per sound, found by name in the resources.
#include "SortieSon.h"

#include <QHash>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

namespace {

class SortieSonQt : public SortieSon {
public:
    ~SortieSonQt() override { qDeleteAll(effets_); }
    void jouer(const std::string &nom, const unsigned char *, std::size_t) override {
        QSoundEffect *&effet = effets_[QString::fromStdString(nom)];
        if (!effet) {
            effet = new QSoundEffect;
            effet->setSource(QUrl(QStringLiteral("qrc:/sons/") + QString::fromStdString(nom) + QStringLiteral(".wav")));
        }
        // Starting one effect does not stop another.
        if (courant_ && courant_ != effet) courant_->stop();
        courant_ = effet;
        effet->play();
    }
    void arreter() override {
        if (courant_) courant_->stop();
    }

private:
    QHash<QString, QSoundEffect *> effets_;
    QSoundEffect *courant_ = nullptr;
};

}  // namespace

std::unique_ptr<SortieSon> creerSortieSon() { return std::make_unique<SortieSonQt>(); }
