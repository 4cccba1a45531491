// SPDX-License-Identifier: GPL-3.0-or-later
#include "yams1.h"

#include "FeuilleGrille.h"
#include "IconesBoutons.h"
#include "ImageCliquable.h"
#include "LecteurEcran.h"
#include "Marque.h"

#include "aide/RouteurAide.h"
#include "dialogues/Apropos.h"
#include "dialogues/Attente.h"
#include "dialogues/BoiteMessage.h"
#include "dialogues/ChoixNom.h"
#include "son/Sons.h"
#include "systeme/Centrage.h"
#include "systeme/Couleurs.h"
#include "systeme/ImagesNettes.h"
#include "systeme/Plateforme.h"
#include "systeme/Polices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <cassert>

namespace {

// The dice and their markers by number, each held once, under its own name.
constexpr ImageCliquable *TFicheYams::*Des[5] = {&TFicheYams::De1, &TFicheYams::De2, &TFicheYams::De3,
                                                 &TFicheYams::De4, &TFicheYams::De5};
constexpr Marque *TFicheYams::*Marques[5] = {&TFicheYams::Shape1, &TFicheYams::Shape2, &TFicheYams::Shape3,
                                             &TFicheYams::Shape4, &TFicheYams::Shape5};
constexpr void (TFicheYams::*Garder[5])() = {&TFicheYams::De1Click, &TFicheYams::De2Click, &TFicheYams::De3Click,
                                             &TFicheYams::De4Click, &TFicheYams::De5Click};

const QColor Navy(0, 0, 128);
constexpr int HauteurBarreDEtat = 19;
// The controls' span: the board's right edge, the buttons' bottom edge.
constexpr int LargeurControles = 609;
constexpr int HauteurControles = 417;

// The window's surface: navy, with every control at a fixed position. Only
// the status bar follows the bottom edge, over whatever lies there.
class Fond : public QWidget {
public:
    explicit Fond(QWidget *parent) : QWidget(parent) {
        setAutoFillBackground(true);
        colorer(this, QPalette::Window, Navy);
    }
    QWidget *barre = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override {
        if (barre) barre->setGeometry(0, height() - HauteurBarreDEtat, width(), HauteurBarreDEtat);
    }
};

// The system's colours, every role set: the application's palette resolves
// none, so a widget given it as is would keep inheriting the navy surface.
QPalette couleursDuSysteme() {
    const QPalette systeme = QApplication::palette();
    QPalette p;
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto groupe = QPalette::ColorGroup(g);
            const auto role = QPalette::ColorRole(r);
            if (role != QPalette::NoRole) p.setBrush(groupe, role, systeme.brush(groupe, role));
        }
    return p;
}

}  // namespace

TFicheYams::TFicheYams(QWidget *parent) : QMainWindow(parent) {
    construire();
    construireClavier();
    lecteur_ = new LecteurEcran(this);
    FormCreate();
}

TFicheYams::~TFicheYams() = default;

void TFicheYams::construire() {
    setWindowTitle(QStringLiteral("KUBRIX"));
    setWindowIcon(iconeNette(QStringLiteral(":/images/icone.png")));
    Qt::WindowFlags cadre = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    // X's window managers and Wayland's compositors let the player restore the
    // window, and maximise it again only if it says it may be (GNOME draws no
    // button for it; kwin and openbox draw theirs anyway).
    if (fenetresPlaceesParLeSysteme()) cadre |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(cadre);
    setFont(police("Liberation Sans", 11));
    setProperty(RouteurAide::ProprieteContexte, RouteurAide::ContexteFenetre);

    // The menu.
    MenuPrincipal = menuBar();
    MenuNouvelle = MenuPrincipal->addMenu(QStringLiteral("&Nouvelle partie"));
    MenuNouvelle->menuAction()->setProperty(RouteurAide::ProprieteContexte, RouteurAide::ContexteNouvellePartie);
    N1Joueur1 = MenuNouvelle->addAction(QStringLiteral("1 Joueur"));
    N1Joueur1->setProperty(RouteurAide::ProprieteContexte, RouteurAide::ContexteFenetre);
    N2Joueurs1 = MenuNouvelle->addAction(QStringLiteral("2 Joueurs"));
    MenuAide = MenuPrincipal->addMenu(QStringLiteral("&Aide"));
    MenuRegles = MenuAide->addAction(QStringLiteral("Règles du jeu"));
    MenuRegles->setProperty(RouteurAide::ProprieteContexte, RouteurAide::ContexteRegles);
    MenuSon = MenuAide->addAction(QStringLiteral("Son"));
    MenuSon->setCheckable(true);  // the check mark is the sound switch; a click flips it
    MenuSon->setChecked(true);
    N1 = MenuAide->addSeparator();
    MenuApropos = MenuAide->addAction(QStringLiteral("A Propos"));
    MenuQuitter = MenuPrincipal->addAction(QStringLiteral("&Quitter"));

    // The surface and its controls, bottom to top.
    auto *fond = new Fond(this);
    fond_ = fond;
    setCentralWidget(fond_);

    Plateau = new QLabel(fond_);
    Plateau->setGeometry(32, 0, 577, 376);
    Plateau->setAlignment(Qt::AlignCenter);
    Plateau->setPixmap(imageNette(QStringLiteral(":/images/plateau.png"), devicePixelRatioF()));

    // Each face decoded once, into the store the dice show from.
    for (int v = 1; v <= 6; ++v)
        faces_[static_cast<std::size_t>(v - 1)] = imageNette(QStringLiteral(":/images/face%1.png").arg(v), devicePixelRatioF());

    const QPoint posDes[6] = {{}, {216, 56}, {112, 152}, {264, 192}, {416, 168}, {352, 64}};
    for (int i = 1; i <= 5; ++i) {
        auto *d = new ImageCliquable(i, fond_);
        this->*Des[i - 1] = d;
        d->setGeometry(QRect(posDes[i], QSize(86, 86)));
        d->setToolTip(QStringLiteral("Cliquez pour garder ce dé"));
        d->setObjectName(QStringLiteral("De%1").arg(i));
        d->setPixmap(faceStockee(i));
        connect(d, &ImageCliquable::clic, this, Garder[i - 1]);
    }

    EtiJoueur = new QLabel(QStringLiteral("Joueur 1"), fond_);
    EtiJoueur->move(352, 384);
    EtiJoueur->setFont(police("Liberation Sans", 24, StylePolice::Italique));
    colorer(EtiJoueur, QPalette::WindowText, Qt::white);
    EtiJoueur->adjustSize();
    EtiJoueur->setAccessibleDescription(QStringLiteral("Joueur qui doit jouer"));

    // Each marker 2 px below its die, centred 2.5 px left of the die's centre.
    const QPoint posMarques[6] = {{}, {248, 144}, {144, 240}, {296, 280}, {448, 256}, {384, 152}};
    for (int i = 1; i <= 5; ++i) {
        auto *m = new Marque(fond_);
        this->*Marques[i - 1] = m;
        m->setGeometry(QRect(posMarques[i], QSize(17, 17)));
        m->hide();
        m->setAccessibleName(QStringLiteral("Dé %1 gardé").arg(i));
    }

    // Windowed controls, above the pictures.
    StatusBar = new QStatusBar(fond_);
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setFont(police("Liberation Serif", 13, StylePolice::Grasse));
    StatusBar->setPalette(couleursDuSysteme());
    StatusBar->setAutoFillBackground(true);
    fond->barre = StatusBar;

    B_Lancer = new QPushButton(QStringLiteral("Lancer de dés 1"), fond_);
    B_Lancer->setGeometry(16, 384, 129, 33);
    B_Lancer->setIcon(iconeNette(QStringLiteral(":/images/bouton_lancer.png")));
    B_Lancer->setIconSize(QSize(32, 16));
    B_Lancer->setAutoDefault(false);

    Grille = new FeuilleGrille(fond_);
    Grille->setGeometry(122, 8, 391, 361);
    Grille->hide();

    BtGrille = new QPushButton(fond_);
    BtGrille->setGeometry(160, 384, 129, 33);
    BtGrille->setToolTip(QStringLiteral("Afficher/Masquer la grille"));
    styleBoutonGrille(StyleBouton::Ok);
    BtGrille->setText(QStringLiteral("Afficher les Scores"));

    setTabOrder(B_Lancer, Grille);
    setTabOrder(Grille, BtGrille);

    // The restored geometry; the window is shown maximised.
    setMinimumSize(tailleMinimale());
    setGeometry(QRect(QPoint(152, 87), tailleMinimale()));
    placeAuRepos_ = new QTimer(this);
    placeAuRepos_->setSingleShot(true);
    placeAuRepos_->setInterval(300);
    connect(placeAuRepos_, &QTimer::timeout, this, &TFicheYams::ramenerDansLEcran);

    connect(B_Lancer, &QPushButton::clicked, this, &TFicheYams::B_LancerClick);
    connect(BtGrille, &QPushButton::clicked, this, &TFicheYams::BtGrilleClick);
    connect(Grille, &FeuilleGrille::sourisRelachee, this, &TFicheYams::GrilleMouseUp);
    connect(MenuNouvelle, &QMenu::aboutToShow, this, &TFicheYams::MenuNouvelleClick);
    connect(N1Joueur1, &QAction::triggered, this, &TFicheYams::N1Joueur1Click);
    connect(N2Joueurs1, &QAction::triggered, this, &TFicheYams::N2Joueurs1Click);
    connect(MenuRegles, &QAction::triggered, this, &TFicheYams::MenuReglesClick);
    connect(MenuApropos, &QAction::triggered, this, &TFicheYams::MenuAproposClick);
    connect(MenuQuitter, &QAction::triggered, this, &TFicheYams::MenuQuitterClick);

    sons_ = new Sons(this);
    routeurAide_ = new RouteurAide(this, this);
}

// Keys that play as the mouse does, through the same handlers. Window
// shortcuts: they work wherever the focus is in this window, never in a dialog.
void TFicheYams::construireClavier() {
    for (int i = 1; i <= 5; ++i) {
        for (const QKeyCombination touche : {QKeyCombination(Qt::Key(Qt::Key_0 + i)),
                                             QKeyCombination(Qt::KeypadModifier, Qt::Key(Qt::Key_0 + i))}) {
            auto *raccourci = new QShortcut(QKeySequence(touche), this);
            raccourci->setContext(Qt::WindowShortcut);
            raccourci->setAutoRepeat(false);
            connect(raccourci, &QShortcut::activated, this, [this, i] {
                lecteur_->rienAJouer();
                jeu_.DeClick(i);  // as De1Click..De5Click
            });
        }
    }
    for (const QKeyCombination touche : {QKeyCombination(Qt::Key_Return), QKeyCombination(Qt::Key_Enter),
                                         QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter)}) {
        auto *raccourci = new QShortcut(QKeySequence(touche), this);
        raccourci->setContext(Qt::WindowShortcut);
        raccourci->setAutoRepeat(false);
        connect(raccourci, &QShortcut::activated, this, &TFicheYams::toucheEntree);
    }
    connect(Grille, &FeuilleGrille::ligneValidee, this, &TFicheYams::GrilleLigneValidee);
}

// Enter presses the focused button, otherwise the default button: BtGrille
// while it has its OK look.
void TFicheYams::toucheEntree() {
    auto *bouton = qobject_cast<QPushButton *>(QApplication::focusWidget());
    if (!bouton || bouton->window() != this) bouton = BtGrille->isDefault() ? BtGrille : nullptr;
    if (bouton && bouton->isEnabled() && bouton->isVisible()) bouton->click();
}

// The game takes the row as from a click in the player's own cell of it, so
// that it refuses exactly what it refuses for a click.
void TFicheYams::GrilleLigneValidee(int ligne) {
    lecteur_->rienAJouer();
    const auto p = grille::centreCellule(colonneJoueur(), ligne);
    jeu_.GrilleMouseUp(p.x, p.y);
}

void TFicheYams::FormCreate() { jeu_.FormCreate(); }

// The screen reader is told of what the handlers did: a roll that took
// place, a game reset by the menu, the first player of a new game.
void TFicheYams::B_LancerClick() {
    const int avant = jeu_.etat().NumLancer;
    jeu_.B_LancerClick();
    if (jeu_.etat().NumLancer != avant) lecteur_->lancerFini();
}

void TFicheYams::MenuNouvelleClick() {
    const bool enCours = lecteur_->partieEngagee();
    jeu_.MenuNouvelleClick();
    lecteur_->menuOuvert(enCours);
}

void TFicheYams::N1Joueur1Click() {
    lecteur_->partieChoisie();
    jeu_.N1Joueur1Click();
    lecteur_->partieCommencee();
}

void TFicheYams::N2Joueurs1Click() {
    lecteur_->partieChoisie();
    jeu_.N2Joueurs1Click();
    lecteur_->partieCommencee();
}

ImageCliquable *TFicheYams::de(int i) const {
    assert(i >= 1 && i <= 5);
    return this->*Des[i - 1];
}

Marque *TFicheYams::marque(int i) const {
    assert(i >= 1 && i <= 5);
    return this->*Marques[i - 1];
}

const QPixmap &TFicheYams::faceStockee(int v) const {
    assert(v >= 1 && v <= 6);
    return faces_[static_cast<std::size_t>(v - 1)];
}

int TFicheYams::colonneJoueur() const {
    return jeu_.etat().TourJoueur1 ? feuille::ColonneJoueur1 : feuille::ColonneJoueur2;
}

// Restored, the window holds every control and the status bar below them.
// It may be larger: a window manager maximises again only a window whose
// size is not fixed.
QSize TFicheYams::tailleMinimale() const {
    return {LargeurControles, HauteurControles + HauteurBarreDEtat + MenuPrincipal->sizeHint().height()};
}

void TFicheYams::showEvent(QShowEvent *evenement) {
    QMainWindow::showEvent(evenement);
    if (isMaximized()) QTimer::singleShot(500, this, &TFicheYams::remplirEcran);
}

// Some window managers (xfwm) do not maximise a window that has no maximise
// button: the window then takes the work area by itself.
void TFicheYams::remplirEcran() {
    if (!isVisible() || !screen() || !isMaximized()) return;
    const QRect ecran = screen()->availableGeometry();
    const QMargins cadre = margesDuCadre(this);
    if (frameGeometry() == ecran || cadre.isNull()) return;  // maximised, or the frame not known yet
    setGeometry(ecran.marginsRemoved(cadre));
}

bool TFicheYams::restauree() const {
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

// Restored, dragged or resized: once the window rests, all of it is brought
// back into the work area. A window manager ignores a move while the player
// still holds the window (mutter), hence the tries.
void TFicheYams::surveillerPlace() {
    if (!isVisible() || !restauree() || !fenetresPlaceesParLeSysteme()) return;
    if (essaisPlace_ <= 0) essaisPlace_ = 50;
    placeAuRepos_->start();
}

void TFicheYams::ramenerDansLEcran() {
    if (!isVisible() || !restauree()) return;
    const QRect dehors = frameGeometry(), dedans = geometry();
    QScreen *ecran = QGuiApplication::screenAt(dehors.center());
    if (!ecran) ecran = screen();
    if (!ecran) return;
    const QRect zone = ecran->availableGeometry();
    QRect voulue(dehors.topLeft(), dehors.size().boundedTo(zone.size()).expandedTo(
                                        minimumSize() + dehors.size() - dedans.size()));
    voulue.moveLeft(qMax(zone.left(), qMin(voulue.left(), zone.right() + 1 - voulue.width())));
    voulue.moveTop(qMax(zone.top(), qMin(voulue.top(), zone.bottom() + 1 - voulue.height())));
    if (voulue == dehors || --essaisPlace_ <= 0) {
        essaisPlace_ = 0;
        return;
    }
    if (voulue.size() != dehors.size()) resize(dedans.size() - (dehors.size() - voulue.size()));
    move(voulue.topLeft());
    placeAuRepos_->start();  // to see that it was done
}

void TFicheYams::changeEvent(QEvent *evenement) {
    QMainWindow::changeEvent(evenement);
    if (evenement->type() == QEvent::WindowStateChange) surveillerPlace();
}

void TFicheYams::moveEvent(QMoveEvent *evenement) {
    QMainWindow::moveEvent(evenement);
    surveillerPlace();
}

void TFicheYams::resizeEvent(QResizeEvent *evenement) {
    QMainWindow::resizeEvent(evenement);
    surveillerPlace();
}

void TFicheYams::relier(TAboutBox *aboutBox, TDELAI *delai, TChNom *chNom) {
    aboutBox_ = aboutBox;
    delai_ = delai;
    chNom_ = chNom;
}

void TFicheYams::MenuQuitterClick() { close(); }

void TFicheYams::GrilleMouseUp(int, int, int x, int y, Qt::MouseButton) { jeu_.GrilleMouseUp(x, y); }

void TFicheYams::MenuAproposClick() {
    if (aboutBox_) aboutBox_->exec();
}

void TFicheYams::MenuReglesClick() { routeurAide_->ouvrirRegles(); }

// Controles

std::string TFicheYams::texteCellule(int colonne, int ligne) const { return Grille->texte(colonne, ligne).toStdString(); }

bool TFicheYams::celluleVide(int colonne, int ligne) const { return Grille->texte(colonne, ligne).isEmpty(); }

void TFicheYams::ecrireCellule(int colonne, int ligne, const std::string &texte) {
    Grille->ecrire(colonne, ligne, QString::fromStdString(texte));
    lecteur_->celluleEcrite(colonne, ligne, Grille->texte(colonne, ligne));
}

void TFicheYams::selectionnerLigne(int ligne) { Grille->selectionnerLigne(ligne); }

Cellule TFicheYams::celluleSous(int x, int y) const { return FeuilleGrille::celluleSous(x, y); }

bool TFicheYams::grilleVisible() const { return !Grille->isHidden(); }

void TFicheYams::montrerGrille(bool visible) { Grille->setVisible(visible); }

void TFicheYams::styleBoutonGrille(StyleBouton style) {
    // A stock look brings its picture, its default-button state and its own caption.
    const bool ok = style == StyleBouton::Ok;
    BtGrille->setIcon(ok ? icones::coche() : icones::croix());
    BtGrille->setDefault(ok);
    BtGrille->setText(ok ? QStringLiteral("OK") : QStringLiteral("Abandonner"));
}

void TFicheYams::legendeBoutonGrille(const std::string &texte) {
    BtGrille->setText(QString::fromStdString(texte));
    lecteur_->actualiser();
}

void TFicheYams::montrerFace(int de, int face) {
    this->de(de)->setPixmap(faceStockee(face));
    lecteur_->faceMontree(de, face);
}

bool TFicheYams::marqueVisible(int de) const { return !marque(de)->isHidden(); }

void TFicheYams::montrerMarque(int de, bool visible) {
    marque(de)->setVisible(visible);
    lecteur_->actualiser();
}

void TFicheYams::legendeLancer(const std::string &texte) {
    B_Lancer->setText(QString::fromStdString(texte));
    lecteur_->actualiser();
}

void TFicheYams::activerLancer(bool actif) {
    B_Lancer->setEnabled(actif);
    lecteur_->actualiser();
}

void TFicheYams::legendeJoueur(const std::string &texte) {
    EtiJoueur->setText(QString::fromStdString(texte));
    EtiJoueur->adjustSize();  // the label sizes itself to its text
    Grille->definirColonneJoueur(colonneJoueur());
    lecteur_->joueurNomme();
}

bool TFicheYams::sonCoche() const { return MenuSon->isChecked(); }

void TFicheYams::jouerSon(const std::string &nom) { sons_->jouer(QString::fromStdString(nom)); }

void TFicheYams::pauseDelai(const std::string &legende, const std::string &texte, int intervalleMs) {
    if (!delai_) return;
    // The window's title is often blank: a screen reader names it by its text.
    delai_->setAccessibleName(QString::fromStdString(texte));
    lecteur_->pause(QString::fromStdString(texte), delai_);
    delai_->PauseDELAI(QString::fromStdString(legende), QString::fromStdString(texte), intervalleMs);
    lecteur_->pauseFinie(QString::fromStdString(texte));
}

void TFicheYams::message(GenreMessage genre, const std::string &texte) {
    const QString t = QString::fromStdString(texte);
    if (remplacementMessage) {
        remplacementMessage(genre, t);
        return;
    }
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QString titre = QStringLiteral("KUBRIX");
    if (genre == GenreMessage::Avertissement) {
        icone = QMessageBox::Warning;
        titre = QStringLiteral("Avertissement");
    } else if (genre == GenreMessage::Information) {
        icone = QMessageBox::Information;
        titre = QStringLiteral("Information");
    }
    BoiteMessage boite(icone, titre, t, this);
    boite.setAccessibleName(titre);  // the reader says it, then the text of the box
    boite.exec();
}

ResultatNoms TFicheYams::demanderNoms(bool deuxJoueurs) {
    if (!chNom_) return {};
    return chNom_->demander(deuxJoueurs);
}

std::int32_t TFicheYams::heureUtcMs() const {
    if (remplacementHorloge) return remplacementHorloge();
    return QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
}
