// SPDX-License-Identifier: GPL-3.0-or-later
#include "VisionneuseAide.h"

#include "systeme/Centrage.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

VisionneuseAide::VisionneuseAide(QWidget *proprietaire)
    : QWidget(proprietaire, Qt::Window),
      texte_(new QTextBrowser(this)),
      sommaire_(new QPushButton(QStringLiteral("&Sommaire"), this)),
      precedent_(new QPushButton(QStringLiteral("&Précédent"), this)),
      suivant_(new QPushButton(QStringLiteral("S&uivant"), this)),
      fermer_(new QPushButton(QStringLiteral("&Fermer"), this)) {
    setObjectName(QStringLiteral("VisionneuseAide"));
    setWindowTitle(QStringLiteral("Aide de KUBRIX"));
    resize(620, 520);

    texte_->setOpenLinks(true);
    texte_->setOpenExternalLinks(false);
    // A caret that the arrows move through the text: a screen reader reads
    // what it passes. Escape closes the window.
    texte_->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    setFocusProxy(texte_);
    auto *echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    echap->setContext(Qt::WindowShortcut);
    connect(echap, &QShortcut::activated, this, &QWidget::close);

    auto *boutons = new QHBoxLayout;
    boutons->addWidget(sommaire_);
    boutons->addWidget(precedent_);
    boutons->addWidget(suivant_);
    boutons->addStretch();
    boutons->addWidget(fermer_);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(boutons);
    colonne->addWidget(texte_);

    precedent_->setEnabled(false);
    suivant_->setEnabled(false);
    sommaire_->setEnabled(false);
    connect(texte_, &QTextBrowser::backwardAvailable, precedent_, &QWidget::setEnabled);
    connect(texte_, &QTextBrowser::forwardAvailable, suivant_, &QWidget::setEnabled);
    connect(precedent_, &QPushButton::clicked, texte_, &QTextBrowser::backward);
    connect(suivant_, &QPushButton::clicked, texte_, &QTextBrowser::forward);
    connect(fermer_, &QPushButton::clicked, this, &QWidget::close);
    connect(sommaire_, &QPushButton::clicked, this, [this] {
        QUrl debut = texte_->source();
        debut.setFragment(QString());
        texte_->setSource(debut, QTextDocument::HtmlResource);
        texte_->verticalScrollBar()->setValue(0);
    });
}

QString VisionneuseAide::ancre(int contexte) {
    return QStringLiteral("ctx%1").arg(contexte);
}

bool VisionneuseAide::afficher(const QString &chemin, int contexte) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        afficherMessage(QStringLiteral("<p>Le fichier d'aide <b>%1</b> ne peut pas être lu.</p>"
                                       "<p>Le jeu continue normalement.</p>")
                            .arg(chemin.toHtmlEscaped()));
        return false;
    }
    const QString contenu = QString::fromUtf8(fichier.readAll());

    QUrl adresse = QUrl::fromLocalFile(chemin);
    // A context the file has no topic for opens its start, like context 0.
    const QRegularExpression motif(QStringLiteral("(id|name)\\s*=\\s*\"%1\"").arg(ancre(contexte)));
    const bool sujetConnu = contexte > 0 && motif.match(contenu).hasMatch();
    if (sujetConnu) adresse.setFragment(ancre(contexte));

    // After a message the browser still believes it shows the file it showed before and would
    // only scroll: a new address (the query is ignored when reading) makes it read the file again.
    if (!fichierAffiche_) ++chargements_;
    adresse.setQuery(QStringLiteral("chargement=%1").arg(chargements_));
    texte_->setSource(adresse, QTextDocument::HtmlResource);
    if (!fichierAffiche_) texte_->clearHistory();
    if (!sujetConnu) texte_->verticalScrollBar()->setValue(0);
    fichierAffiche_ = true;
    sommaire_->setEnabled(true);
    return true;
}

void VisionneuseAide::signalerAbsence(const QStringList &dossiersCherches) {
    QString liste;
    for (const QString &dossier : dossiersCherches) liste += QStringLiteral("<li>%1</li>").arg(dossier.toHtmlEscaped());
    afficherMessage(QStringLiteral("<p>Le fichier d'aide <b>KUBRIX.HLP</b> est introuvable.</p>"
                                   "<p>Il a été cherché dans&nbsp;:</p><ul>%1</ul>"
                                   "<p>Le jeu continue normalement.</p>")
                        .arg(liste));
}

void VisionneuseAide::afficherMessage(const QString &html) {
    fichierAffiche_ = false;
    texte_->clearHistory();
    texte_->setHtml(QStringLiteral("<h2>Aide indisponible</h2>") + html);
    sommaire_->setEnabled(false);
}

void VisionneuseAide::amenerDevant() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) {  // centred like the dialogs; a window manager would put it in a corner
        centrerSurEcran(this);
        recentrer_ = frameGeometry() == geometry();
    }
    setVisible(true);  // not show(), which in a web page fills the page and hides the game
    raise();
    activateWindow();
    texte_->setFocus(Qt::ActiveWindowFocusReason);
}

// Before its first showing the window's frame is a guess (its owner's); a
// window manager may draw it otherwise (openbox adds a handle to a window
// that can be resized): once known, the window is centred with it.
void VisionneuseAide::moveEvent(QMoveEvent *evenement) {
    QWidget::moveEvent(evenement);
    if (recentrer_ && frameGeometry() != geometry()) {
        recentrer_ = false;
        centrerSurEcran(this);
    }
}
