// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// F1 and the "Règles du jeu" command: picks the context number of the place where help
// was asked and opens our help viewer on the help file at that topic.
#include <QObject>
#include <QPointer>
#include <QStringList>

class QAction;
class QWidget;
class VisionneuseAide;

class RouteurAide : public QObject {
    Q_OBJECT
public:
    // Context numbers of the help file's topics.
    static constexpr int ContexteSommaire = 0;
    static constexpr int ContexteFenetre = 1;
    static constexpr int ContexteRegles = 2;
    static constexpr int ContexteNouvellePartie = 3;
    // Dynamic property carrying a context number, on windows and menu actions.
    static constexpr const char *ProprieteContexte = "helpContext";
    static constexpr const char *NomFichierAide = "KUBRIX.HLP";

    // Installs itself as the application's event filter; the viewer will belong to fenetrePrincipale.
    explicit RouteurAide(QWidget *fenetrePrincipale, QObject *parent = nullptr);
    ~RouteurAide() override;

    // Opens (or brings to the front) the viewer at the topic of this context number.
    void ouvrirAide(int contexte);
    // "Règles du jeu".
    void ouvrirRegles() { ouvrirAide(ContexteRegles); }

    // Folders searched for the help file, in order: next to the program, then the working folder.
    static QStringList dossiersParDefaut();
    void definirDossiers(const QStringList &dossiers);
    QStringList dossiers() const { return dossiers_; }
    // First existing entry named KUBRIX.HLP in the folders, else empty.
    QString cheminFichier() const;

    // Context of a highlighted menu action: its own, else its nearest parent item's, else 0.
    static int contexteMenu(QAction *action);
    // Context for an F1 received by this object; -1 when that window offers no help.
    static int contexteDe(QObject *cible);

    // The viewer once opened (nullptr before the first request).
    VisionneuseAide *visionneuse() const;

protected:
    bool eventFilter(QObject *cible, QEvent *evenement) override;

private:
    QPointer<QWidget> fenetrePrincipale_;
    QPointer<VisionneuseAide> visionneuse_;
    QStringList dossiers_;
};
