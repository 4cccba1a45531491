// SPDX-License-Identifier: GPL-3.0-or-later
// The floor: a Qt 6 program that shows a main window with one line of text,
// and nothing else. Measured beside the games, it says how much of their
// start-up is Qt's own.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow fenetre;
    fenetre.setCentralWidget(new QLabel(QStringLiteral("Qt seul")));
    fenetre.resize(442, 365);
    fenetre.show();
    return QApplication::exec();
}
