#include "app/extrasdialog.h"

#include "core/extras.h"
#include "ui/controls.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kWidth = 440;
const QColor kReason(160, 0, 0);

QLabel *note(QVBoxLayout *box, QWidget *parent, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setFont(controls::verdana(8.25));
    label->setWordWrap(true);
    label->setContentsMargins(24, 0, 0, 8);
    box->addWidget(label);
    return label;
}

/// A note in the reason colour, shown only while what it explains holds.
QLabel *reason(QVBoxLayout *box, QWidget *parent, const QString &text) {
    QLabel *label = note(box, parent, text);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kReason);
    label->setPalette(pal);
    label->hide();
    return label;
}

QCheckBox *addSwitch(QVBoxLayout *box, QWidget *parent, const QString &text, const QString &hint,
                     bool on) {
    auto *check = new QCheckBox(text, parent);
    check->setFont(controls::verdana(9.75, true));
    check->setChecked(on);
    box->addWidget(check);
    note(box, parent, hint);
    return check;
}

/// A path that word wrap may break after each separator.
QString breakable(const QString &path) {
    QString out = QDir::toNativeSeparators(path);
    out.replace(QDir::separator(), QString(QDir::separator()) + QChar(0x200B));
    return out;
}

} // namespace

ExtrasDialog::ExtrasDialog(Extras &extras, const Facts &facts, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Extras"));
    setWindowTitle(QStringLiteral("Kalimbo (Extras)"));
    setModal(true);
    controls::colourise(this, QColor(128, 255, 255));
    // The switches and tools scroll where the screen is shorter than they
    // are (a whiteboard at one and a half times the size); "Schließen"
    // stays below them, always in view.
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("ExtrasContent"));
    m_content->setAutoFillBackground(false);
    auto *box = new QVBoxLayout(m_content);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the switches; it scrolls to each
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->setAutoFillBackground(false);
    SpeakWords = addSwitch(box, this, QStringLiteral("Wörter vorlesen"),
                           QStringLiteral("Neue Wörter und richtige Antworten werden vorgelesen, "
                                          "ein Klick auf Bild oder Wort liest das Wort noch "
                                          "einmal. Ohne diesen Schalter bleibt Kalimbo stumm."),
                           extras.speakWords);
    KALIMBO_NAME(SpeakWords);
    NoSound = reason(box, this,
                     QStringLiteral("An diesem Rechner ist keine Tonausgabe eingerichtet: die "
                                    "Wörter bleiben stumm."));
    KALIMBO_NAME(NoSound);
    SyllableArcs = addSwitch(box, this, QStringLiteral("Silbenbögen"),
                             QStringLiteral("Bögen unter den Silben, die Buchstaben in ihren "
                                            "Farben, am Bildschirm und auf den Arbeitsblättern."),
                             extras.syllableArcs && !extras.syllableColours);
    KALIMBO_NAME(SyllableArcs);
    SyllableColours =
        addSwitch(box, this, QStringLiteral("Silbenfarben"),
                  QStringLiteral("Silben abwechselnd blau und rot, mit Silbenbögen, am "
                                 "Bildschirm und auf den Arbeitsblättern."),
                  extras.syllableColours);
    KALIMBO_NAME(SyllableColours);
    // One way of showing syllables at a time.
    connect(SyllableArcs, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            SyllableColours->setChecked(false);
    });
    connect(SyllableColours, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            SyllableArcs->setChecked(false);
    });
    KeepRecords = addSwitch(box, this, QStringLiteral("Antworten aufzeichnen"),
                            QStringLiteral("Jede Antwort wird mit Datum gespeichert, eine Datei "
                                           "je Kind, im Ordner ") +
                                breakable(facts.recordsFolder),
                            extras.keepRecords);
    KALIMBO_NAME(KeepRecords);
    PractiseMistakes =
        addSwitch(box, this, QStringLiteral("Fehlerwörter üben"),
                  QStringLiteral("Wörter, die das Kind in den letzten 7 Tagen falsch "
                                 "beantwortet hat, kommen früher wieder."),
                  extras.practiseMistakes);
    KALIMBO_NAME(PractiseMistakes);
    PractiseNeedsRecords = reason(
        box, this, QStringLiteral("Geht nur, während „Antworten aufzeichnen“ eingeschaltet ist."));
    KALIMBO_NAME(PractiseNeedsRecords);

    // The card box in a block of its own: it changes which nouns come first
    // for as long as it is on.
    auto *cardBlock = new QVBoxLayout;
    cardBlock->setContentsMargins(0, 6, 0, 0);
    CardBox = addSwitch(cardBlock, this, QStringLiteral("Karteikasten"),
                        QStringLiteral("Jedes Wort kommt wieder, bis das Kind es kann: richtig "
                                       "beantwortet rückt es ein Fach weiter und kommt später "
                                       "wieder, falsch beantwortet beginnt es im ersten Fach. "
                                       "Jede Übung beginnt mit den fälligen Wörtern (höchstens "
                                       "10, davon höchstens 3 neue)."),
                        extras.cardBox);
    KALIMBO_NAME(CardBox);
    CardBoxNeedsRecords =
        reason(cardBlock, this,
               QStringLiteral("Geht nur, während „Antworten aufzeichnen“ eingeschaltet ist."));
    KALIMBO_NAME(CardBoxNeedsRecords);
    box->addLayout(cardBlock);

    // For the whiteboard, touch screens, and children who see less well.
    auto *accessRow = new QHBoxLayout;
    accessRow->setContentsMargins(0, 6, 0, 0);
    BoardMode = new QCheckBox(QStringLiteral("Tafelmodus"), this);
    KALIMBO_NAME(BoardMode);
    BoardMode->setChecked(extras.boardMode);
    ScreenKeyboard = new QCheckBox(QStringLiteral("Bildschirmtastatur"), this);
    KALIMBO_NAME(ScreenKeyboard);
    ScreenKeyboard->setChecked(extras.screenKeyboard);
    Contrast = new QCheckBox(QStringLiteral("Kontrast"), this);
    KALIMBO_NAME(Contrast);
    Contrast->setChecked(extras.highContrast);
    for (QCheckBox *c : {BoardMode, ScreenKeyboard, Contrast}) {
        c->setFont(controls::verdana(9.75, true));
        accessRow->addWidget(c);
    }
    accessRow->addStretch();
    box->addLayout(accessRow);
    note(box, this,
         QStringLiteral("Tafelmodus: alles anderthalbmal so groß, für Tafel und Berührung (ab "
                        "dem nächsten Start). Bildschirmtastatur: die gelernten Buchstaben als "
                        "große Tasten unter Abschrift, Diktat und Galgen, alle Buchstaben unter "
                        "dem Namensfeld. Kontrast: kräftige "
                        "Farben, jede Schrift deutlich lesbar."));

    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    auto *perUser =
        note(box, this,
             QStringLiteral("Diese Schalter gelten nur für das Benutzerkonto „") + user +
                 QStringLiteral("“; jedes andere Konto an diesem Rechner hat eigene."));
    KALIMBO_NAME(perUser);
    perUser->setContentsMargins(0, 8, 0, 0);

    // The teacher's tools: the class, the report, her own nouns and sheets.
    box->addSpacing(8);
    auto *classRow = new QHBoxLayout;
    Klasse = new QPushButton(QStringLiteral("Klasse ..."), this);
    KALIMBO_NAME(Klasse);
    Klasse->setFont(controls::verdana(9.75, true));
    auto *classNote =
        new QLabel(QStringLiteral("Die Namen der Kinder als Knöpfe im Namensfeld."), this);
    classNote->setFont(controls::verdana(8.25));
    classNote->setWordWrap(true);
    classRow->addWidget(Klasse);
    classRow->addWidget(classNote, 1);
    box->addLayout(classRow);
    connect(Klasse, &QPushButton::clicked, this, &ExtrasDialog::classRequested);
    box->addSpacing(4);
    auto *buttons = new QHBoxLayout;
    History = new QPushButton(QStringLiteral("Verlauf ..."), this);
    KALIMBO_NAME(History);
    HistoryNeedsRecords = new QLabel(QStringLiteral("Der Verlauf zeigt die aufgezeichneten "
                                                    "Antworten; die Aufzeichnung ist aus."),
                                     this);
    KALIMBO_NAME(HistoryNeedsRecords);
    HistoryNeedsRecords->setFont(controls::verdana(8.25));
    HistoryNeedsRecords->setWordWrap(true);
    HistoryNeedsRecords->setPalette(PractiseNeedsRecords->palette());
    History->setFont(controls::verdana(9.75, true));
    buttons->addWidget(History);
    buttons->addWidget(HistoryNeedsRecords, 1);
    buttons->addStretch(); // keeps the button its size while the note is hidden
    box->addLayout(buttons);

    // The teacher's own nouns.
    {
        auto *row = new QHBoxLayout;
        Words = new QPushButton(QStringLiteral("Wörter verwalten ..."), this);
        KALIMBO_NAME(Words);
        Words->setFont(controls::verdana(9.75, true));
        row->addWidget(Words);
        row->addStretch();
        box->addSpacing(4);
        box->addLayout(row);
        note(box, this,
             QStringLiteral("Eigene Nomen mit Bild und Aufnahme anlegen, umbenennen oder in "
                            "den Papierkorb legen."));
        connect(Words, &QPushButton::clicked, this, &ExtrasDialog::wordsRequested);
    }

    // Worksheets made from the teacher's own pictures.
    box->addSpacing(4);
    auto *sheetsNote = note(box, this, QStringLiteral("Arbeitsblätter aus Ihren Bildern:"));
    KALIMBO_NAME(sheetsNote);
    sheetsNote->setContentsMargins(0, 4, 0, 0);
    auto *sheets = new QHBoxLayout;
    WritingLines = new QPushButton(QStringLiteral("Schreiblinien ..."), this);
    KALIMBO_NAME(WritingLines);
    SoundTable = new QPushButton(QStringLiteral("Anlauttabelle ..."), this);
    KALIMBO_NAME(SoundTable);
    for (QPushButton *b : {WritingLines, SoundTable}) {
        b->setFont(controls::verdana(9.75, true));
        sheets->addWidget(b);
    }
    sheets->addStretch();
    box->addLayout(sheets);
    box->addStretch();
    m_scroll->setWidget(m_content);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_scroll);
    auto *closeRow = new QHBoxLayout;
    m_closeRow = closeRow;
    closeRow->setContentsMargins(9, 6, 9, 9);
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setFont(controls::verdana(9.75, true));
    closeRow->addStretch();
    closeRow->addWidget(close);
    outer->addLayout(closeRow);
    connect(WritingLines, &QPushButton::clicked, this, &ExtrasDialog::writingLinesRequested);
    connect(SoundTable, &QPushButton::clicked, this, &ExtrasDialog::soundTableRequested);

    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    showRecordsNeeded(extras.keepRecords);

    auto update = [this, &extras] {
        extras.speakWords = SpeakWords->isChecked();
        extras.syllableArcs = SyllableArcs->isChecked();
        extras.syllableColours = SyllableColours->isChecked();
        extras.practiseMistakes = PractiseMistakes->isChecked();
        extras.keepRecords = KeepRecords->isChecked();
        extras.cardBox = CardBox->isChecked();
        extras.boardMode = BoardMode->isChecked();
        extras.screenKeyboard = ScreenKeyboard->isChecked();
        extras.highContrast = Contrast->isChecked();
        showRecordsNeeded(extras.keepRecords);
        emit changed();
    };
    for (QCheckBox *c : {SpeakWords, SyllableArcs, SyllableColours, KeepRecords, PractiseMistakes,
                         CardBox, BoardMode, ScreenKeyboard, Contrast})
        connect(c, &QCheckBox::toggled, this, update);
    connect(History, &QPushButton::clicked, this, &ExtrasDialog::historyRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    // The sound system may take a moment to answer the first time: the
    // dialog is on screen before it is asked, and asks again a little later.
    if (facts.soundDevice)
        for (int ms : {0, 1500})
            QTimer::singleShot(ms, this, [this, ask = facts.soundDevice] {
                NoSound->setVisible(!ask());
                fitHeight();
            });
}

void ExtrasDialog::showRecordsNeeded(bool recordsOn) {
    PractiseMistakes->setEnabled(recordsOn);
    PractiseNeedsRecords->setVisible(!recordsOn);
    CardBox->setEnabled(recordsOn);
    CardBoxNeedsRecords->setVisible(!recordsOn);
    History->setEnabled(recordsOn);
    HistoryNeedsRecords->setVisible(!recordsOn);
    fitHeight();
}

void ExtrasDialog::fitHeight() {
    QLayout *content = m_content->layout();
    content->activate();
    const int inner = content->totalHeightForWidth(kWidth);
    const int below = m_closeRow->sizeHint().height(); // its margins included
    // Room for the window frame's title bar on the screen the dialog opens on.
    const QScreen *on = parentWidget() ? parentWidget()->screen() : screen();
    const int room = on ? on->availableGeometry().height() - 48 : inner + below;
    const int height = std::min(inner + below, std::max(room, 200));
    const int bar = height < inner + below ? m_scroll->verticalScrollBar()->sizeHint().width() : 0;
    m_content->setFixedSize(kWidth, inner);
    setFixedSize(kWidth + bar, height);
}
