// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: program name and version, opened modally by "A Propos".
#include <QDialog>

class ImageEtiree;
class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QFrame *const Panel1;
    ImageEtiree *const ProgramIcon;
    QLabel *const ProductName;
    QLabel *const Version;
    QPushButton *const OKButton;

protected:
    void showEvent(QShowEvent *evenement) override;
};
