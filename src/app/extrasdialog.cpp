#include "app/extrasdialog.h"

#include "core/extras.h"
#include "ui/controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QCheckBox *addSwitch(QVBoxLayout *box, QWidget *parent, const QString &text, const QString &hint,
                     bool on) {
    auto *check = new QCheckBox(text, parent);
    check->setFont(controls::verdana(9.75, true));
    check->setChecked(on);
    box->addWidget(check);
    auto *note = new QLabel(hint, parent);
    note->setFont(controls::verdana(8.25));
    note->setWordWrap(true);
    note->setContentsMargins(24, 0, 0, 8);
    box->addWidget(note);
    return check;
}
} // namespace

ExtrasDialog::ExtrasDialog(Extras &extras, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Extras"));
    setWindowTitle(QStringLiteral("Extras"));
    setModal(true);
    controls::colourise(this, QColor(128, 255, 255));
    auto *box = new QVBoxLayout(this);
    SpeakWords = addSwitch(box, this, QStringLiteral("Wörter vorlesen"),
                           QStringLiteral("Neue Wörter und richtige Antworten werden vorgelesen, "
                                          "ein Klick auf Bild oder Wort liest das Wort noch "
                                          "einmal. Ohne diesen Schalter bleibt Kalimbo stumm."),
                           extras.speakWords);
    KALIMBO_NAME(SpeakWords);
    SyllableColours =
        addSwitch(box, this, QStringLiteral("Silbenfarben"),
                  QStringLiteral("Wörter in Silbenfarben mit Silbenbögen, am Bildschirm "
                                 "und auf den Arbeitsblättern."),
                  extras.syllableColours);
    KALIMBO_NAME(SyllableColours);
    KeepRecords = addSwitch(box, this, QStringLiteral("Antworten aufzeichnen"),
                            QStringLiteral("Jede Antwort wird mit Datum im Ordner \"Protokolle\" "
                                           "bei den Bildern gespeichert (eine Datei je Kind)."),
                            extras.keepRecords);
    KALIMBO_NAME(KeepRecords);
    PractiseMistakes =
        addSwitch(box, this, QStringLiteral("Fehlerwörter üben"),
                  QStringLiteral("Wörter, die das Kind in den letzten 7 Tagen falsch "
                                 "beantwortet hat, kommen früher wieder (braucht die "
                                 "Aufzeichnung)."),
                  extras.practiseMistakes);
    KALIMBO_NAME(PractiseMistakes);
    auto *buttons = new QHBoxLayout;
    History = new QPushButton(QStringLiteral("Verlauf ..."), this);
    KALIMBO_NAME(History);
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    for (QPushButton *b : {History, close})
        b->setFont(controls::verdana(9.75, true));
    buttons->addWidget(History);
    buttons->addStretch();
    buttons->addWidget(close);
    box->addLayout(buttons);
    setFixedWidth(420);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto update = [this, &extras] {
        extras.speakWords = SpeakWords->isChecked();
        extras.syllableColours = SyllableColours->isChecked();
        extras.practiseMistakes = PractiseMistakes->isChecked();
        extras.keepRecords = KeepRecords->isChecked();
        History->setEnabled(extras.keepRecords);
        emit changed();
    };
    History->setEnabled(extras.keepRecords);
    for (QCheckBox *c : {SpeakWords, SyllableColours, KeepRecords, PractiseMistakes})
        connect(c, &QCheckBox::toggled, this, update);
    connect(History, &QPushButton::clicked, this, &ExtrasDialog::historyRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
