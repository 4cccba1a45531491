// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's main window: the board, the dice and their hold markers, the
// score sheet, the two buttons, the player label, the menu and the status bar.
// It holds no rule of the game: it shows what the game asks (Controles) and
// passes every event to the game's handler of the same name.
#include "Controles.h"
#include "Jeu.h"

#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <functional>

class FeuilleGrille;
class ImageCliquable;
class LecteurEcran;
class Marque;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTimer;
class RouteurAide;
class Sons;
class TAboutBox;
class TChNom;
class TDELAI;

class TFicheYams : public QMainWindow, public Controles {
    Q_OBJECT
public:
    explicit TFicheYams(QWidget *parent = nullptr);
    ~TFicheYams() override;

    // The windows created after this one, which the game uses.
    void relier(TAboutBox *aboutBox, TDELAI *delai, TChNom *chNom);

    Jeu &jeu() { return jeu_; }
    Sons *sons() const { return sons_; }
    RouteurAide *routeurAide() const { return routeurAide_; }
    LecteurEcran *lecteur() const { return lecteur_; }

    // Seams for the tests: the message boxes and the clock can be replaced.
    std::function<void(GenreMessage, const QString &)> remplacementMessage;
    std::function<std::int32_t()> remplacementHorloge;

    // Components, in the window's order.
    QMenuBar *MenuPrincipal;
    QMenu *MenuNouvelle;
    QMenu *MenuAide;
    QAction *MenuQuitter;
    QAction *MenuRegles;
    QAction *N1;
    QAction *MenuApropos;
    QStatusBar *StatusBar;
    ImageCliquable *De1, *De2, *De3, *De4, *De5;
    QPushButton *B_Lancer;
    QLabel *EtiJoueur;
    QAction *N1Joueur1;
    QAction *N2Joueurs1;
    QAction *MenuSon;
    QLabel *Plateau;
    FeuilleGrille *Grille;
    QPushButton *BtGrille;
    Marque *Shape1, *Shape2, *Shape3, *Shape4, *Shape5;

    // De1..De5 and Shape1..Shape5 by number.
    ImageCliquable *de(int i) const;
    Marque *marque(int i) const;
    // The picture of each face (1 to 6), which a die shows.
    const QPixmap &faceStockee(int v) const;

    // Controles
    std::string texteCellule(int colonne, int ligne) const override;
    bool celluleVide(int colonne, int ligne) const override;
    void ecrireCellule(int colonne, int ligne, const std::string &texte) override;
    void selectionnerLigne(int ligne) override;
    Cellule celluleSous(int x, int y) const override;
    bool grilleVisible() const override;
    void montrerGrille(bool visible) override;
    void styleBoutonGrille(StyleBouton style) override;
    void legendeBoutonGrille(const std::string &texte) override;
    void montrerFace(int de, int face) override;
    bool marqueVisible(int de) const override;
    void montrerMarque(int de, bool visible) override;
    void legendeLancer(const std::string &texte) override;
    void activerLancer(bool actif) override;
    void legendeJoueur(const std::string &texte) override;
    bool sonCoche() const override;
    void jouerSon(const std::string &nom) override;
    void pauseDelai(const std::string &legende, const std::string &texte, int intervalleMs) override;
    void message(GenreMessage genre, const std::string &texte) override;
    ResultatNoms demanderNoms(bool deuxJoueurs) override;
    std::int32_t heureUtcMs() const override;

public slots:
    void FormCreate();
    void MenuQuitterClick();
    void B_LancerClick();
    void De1Click() { jeu_.De1Click(); }
    void De2Click() { jeu_.De2Click(); }
    void De3Click() { jeu_.De3Click(); }
    void De4Click() { jeu_.De4Click(); }
    void De5Click() { jeu_.De5Click(); }
    void GrilleMouseUp(int colonne, int ligne, int x, int y, Qt::MouseButton bouton);
    void MenuNouvelleClick();
    void MenuAproposClick();
    void N1Joueur1Click();
    void N2Joueurs1Click();
    void MenuReglesClick();
    void BtGrilleClick() { jeu_.BtGrilleClick(); }

private slots:
    // Keyboard: Enter on the window, and Enter or Space on the sheet's selected row.
    void toucheEntree();
    void GrilleLigneValidee(int ligne);

protected:
    void changeEvent(QEvent *evenement) override;
    void showEvent(QShowEvent *evenement) override;
    void moveEvent(QMoveEvent *evenement) override;
    void resizeEvent(QResizeEvent *evenement) override;

private:
    QSize tailleMinimale() const;
    void remplirEcran();
    bool restauree() const;  // neither maximised, nor minimised, nor full screen
    void surveillerPlace();
    void ramenerDansLEcran();
    void construire();
    void construireClavier();
    int colonneJoueur() const;  // the sheet's column of the player to play

    Jeu jeu_{*this};
    QWidget *fond_ = nullptr;
    std::array<QPixmap, 6> faces_;  // face v at v - 1
    LecteurEcran *lecteur_ = nullptr;
    Sons *sons_ = nullptr;
    RouteurAide *routeurAide_ = nullptr;
    TAboutBox *aboutBox_ = nullptr;
    TDELAI *delai_ = nullptr;
    TChNom *chNom_ = nullptr;
    QTimer *placeAuRepos_ = nullptr;  // restored: fires once the window has rested
    int essaisPlace_ = 0;  // tries left to bring it back into the work area
};
