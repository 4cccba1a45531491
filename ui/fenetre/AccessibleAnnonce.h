// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message for the screen reader, spoken whatever has the focus: an object
// of the notification role that "shows" each time it is given a text. Orca 43
// speaks a notification that shows; it speaks a change of name or description
// only on the focused control, and Qt 6.4 sends those changes without their
// new text, so that Orca says nothing. Its parent is the status bar: Orca says
// a notification's role word first, except for one inside a status bar.
#include <QAccessible>
#include <QPointer>

class QWidget;

class AccessibleAnnonce : public QAccessibleInterface {
public:
    AccessibleAnnonce(QWidget *fenetre, QWidget *barreDEtat) : fenetre_(fenetre), barre_(barreDEtat) {}

    // Gives the text and tells the reader (when one listens).
    void dire(const QString &texte);

    bool isValid() const override { return !fenetre_.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? texte_ : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override;

private:
    QPointer<QWidget> fenetre_;
    QPointer<QWidget> barre_;
    QString texte_;
};
