#include "app/classdialog.h"

#include "core/classlist.h"
#include "ui/controls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ClassDialog::ClassDialog(const QStringList &names, bool besidePictures, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Klasse"));
    setWindowTitle(QStringLiteral("Kalimbo (Klasse)"));
    setModal(true);
    controls::colourise(this, QColor(128, 255, 255));
    auto *box = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Die Namen der Kinder, ein Name in jeder Zeile. "
                                            "Im Namensfeld des Menüs stehen sie dann als "
                                            "Knöpfe; ein Tipp wählt den Namen."),
                             this);
    intro->setWordWrap(true);
    intro->setFont(controls::verdana(8.25));
    box->addWidget(intro);
    Namen = new QPlainTextEdit(names.join(QLatin1Char('\n')), this);
    KALIMBO_NAME(Namen);
    Namen->setFont(controls::verdana(9.75, true));
    Namen->setAccessibleName(QStringLiteral("Namen der Kinder"));
    Namen->setMinimumHeight(240);
    box->addWidget(Namen);
    NebenDenBildern = new QCheckBox(
        QStringLiteral("Neben den Bildern speichern (Klasse.txt), für jeden PC der Klasse"), this);
    KALIMBO_NAME(NebenDenBildern);
    NebenDenBildern->setFont(controls::verdana(8.25, true));
    NebenDenBildern->setChecked(besidePictures);
    box->addWidget(NebenDenBildern);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("Abbrechen"));
    for (QPushButton *b : {ok, cancel})
        b->setFont(controls::verdana(9.75, true));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    box->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(440);
}

QStringList ClassDialog::names() const {
    return classlist::clean(Namen->toPlainText().split(QLatin1Char('\n')));
}

bool ClassDialog::besidePictures() const {
    return NebenDenBildern->isChecked();
}
