// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Our help viewer: a non-modal window showing the HTML help file at a topic, with
// back/forward, links between topics and scrolling.
#include <QStringList>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class VisionneuseAide : public QWidget {
    Q_OBJECT
public:
    explicit VisionneuseAide(QWidget *proprietaire = nullptr);

    // Shows the file at the topic of `contexte` (0, or a topic the file lacks: its start).
    // Returns false, after saying so in the window, when the file cannot be read.
    bool afficher(const QString &chemin, int contexte);
    // The help file was found in none of these folders: say so in the window.
    void signalerAbsence(const QStringList &dossiersCherches);
    // Shows the window, restored, in front of the others.
    void amenerDevant();

    // Anchor of a context's topic in the file, e.g. "ctx2".
    static QString ancre(int contexte);
    bool fichierAffiche() const { return fichierAffiche_; }

    QTextBrowser *texte() const { return texte_; }
    QPushButton *boutonSommaire() const { return sommaire_; }
    QPushButton *boutonPrecedent() const { return precedent_; }
    QPushButton *boutonSuivant() const { return suivant_; }

protected:
    void moveEvent(QMoveEvent *evenement) override;

private:
    void afficherMessage(const QString &html);

    QTextBrowser *texte_;
    QPushButton *sommaire_;
    QPushButton *precedent_;
    QPushButton *suivant_;
    QPushButton *fermer_;
    bool fichierAffiche_ = false;
    int chargements_ = 0;
    bool recentrer_ = false;  // shown before its frame was known
};
