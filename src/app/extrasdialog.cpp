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
    m_speak = addSwitch(box, this, QStringLiteral("Wörter vorlesen"),
                        QStringLiteral("Jedes neue Wort wird einmal vorgelesen. Ein Klick auf "
                                       "Bild oder Wort liest es immer vor."),
                        extras.speakWords);
    m_syllables = addSwitch(box, this, QStringLiteral("Silbenfarben"),
                            QStringLiteral("Wörter in Silbenfarben mit Silbenbögen, am Bildschirm "
                                           "und auf den Arbeitsblättern."),
                            extras.syllableColours);
    m_records = addSwitch(box, this, QStringLiteral("Antworten aufzeichnen"),
                          QStringLiteral("Jede Antwort wird mit Datum im Ordner \"Protokolle\" "
                                         "bei den Bildern gespeichert (eine Datei je Kind)."),
                          extras.keepRecords);
    m_mistakes = addSwitch(box, this, QStringLiteral("Fehlerwörter üben"),
                           QStringLiteral("Wörter, die das Kind in den letzten 7 Tagen falsch "
                                          "beantwortet hat, kommen früher wieder (braucht die "
                                          "Aufzeichnung)."),
                           extras.practiseMistakes);
    auto *buttons = new QHBoxLayout;
    m_history = new QPushButton(QStringLiteral("Verlauf ..."), this);
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    for (QPushButton *b : {m_history, close})
        b->setFont(controls::verdana(9.75, true));
    buttons->addWidget(m_history);
    buttons->addStretch();
    buttons->addWidget(close);
    box->addLayout(buttons);
    setFixedWidth(420);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto update = [this, &extras] {
        extras.speakWords = m_speak->isChecked();
        extras.syllableColours = m_syllables->isChecked();
        extras.practiseMistakes = m_mistakes->isChecked();
        extras.keepRecords = m_records->isChecked();
        m_history->setEnabled(extras.keepRecords);
        emit changed();
    };
    m_history->setEnabled(extras.keepRecords);
    for (QCheckBox *c : {m_speak, m_syllables, m_records, m_mistakes})
        connect(c, &QCheckBox::toggled, this, update);
    connect(m_history, &QPushButton::clicked, this, &ExtrasDialog::historyRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
