#include "Attente.h"

#include "Centrage.h"

#include <QEventLoop>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int LargeurClient = 222;
constexpr int HauteurClient = 65;
constexpr int LargeurTexte = 161;
}  // namespace

TDELAI::TDELAI(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Label1(new QLabel(this)),
      Timer1(new QTimer(this)) {
    setObjectName(QStringLiteral("DELAI"));
    setFixedSize(LargeurClient, HauteurClient);
    setSizeGripEnabled(false);

    QFont police(QStringLiteral("Liberation Sans"));
    police.setPixelSize(24);
    police.setItalic(true);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(police);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(palette);
    Label1->setGeometry(32, 16, LargeurTexte, 29);

    // A coarse timer moves firings by up to 5 %, which the 500 ms steps show.
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setSingleShot(false);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &TDELAI::Timer1Timer);
    Timer1->start();  // runs from creation to the end, shown or not
}

void TDELAI::PauseDELAI(const QString &legende, const QString &texte, int intervalleMs) {
    if (remplacement_) {
        remplacement_(legende, texte, intervalleMs);
        return;
    }
    if (boucle_) return;  // already showing: modality makes this unreachable from input

    setWindowTitle(legende);
    Label1->setText(texte);
    Label1->resize(qMax(LargeurTexte, Label1->sizeHint().width()), Label1->height());

    // QTimer::setInterval restarts the period even for the same value; the
    // pauses of one roll must follow the running period, so only a new value
    // may restart it.
    if (Timer1->interval() != intervalleMs) Timer1->setInterval(intervalleMs);

    setWindowModality(Qt::ApplicationModal);
    if (!isVisible()) centrerSurEcran(this);
    setResult(0);
    show();

    QEventLoop boucle;
    boucle_ = &boucle;
    boucle.exec(QEventLoop::DialogExec);
    boucle_ = nullptr;
    // Hiding only now keeps the window modal until the loop has returned: a
    // click queued while the timer fired is then refused, instead of reaching
    // the main window inside the handler that called us.
    hide();
}

void TDELAI::Timer1Timer() {
    if (boucle_) boucle_->quit();
}

void TDELAI::done(int resultat) {
    if (boucle_) {
        setResult(resultat);
        boucle_->quit();
    } else {
        QDialog::done(resultat);
    }
}

