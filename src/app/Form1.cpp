#include "app/Form1.h"

#include "app/classdialog.h"
#include "app/extrasdialog.h"
#include "app/icon.h"
#include "app/kalimboprogram.h"
#include "app/wordmanager.h"
#include "core/classlist.h"
#include "core/clock.h"
#include "core/contrast.h"
#include "core/nouns.h"
#include "core/palette.h"
#include "log/Form11.h"
#include "log/verlauf.h"
#include "program/classpictures.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/highcontrast.h"
#include "ui/screenkeyboard.h"
#include "ui/twips.h"
#include "worksheets/sheetwindow.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

namespace {
const QColor kBand(128, 128, 255);
const QColor kPanel(128, 255, 255);
const QColor kNameText(0, 0, 192);

const QString kTooFew =
    QStringLiteral("Es sind zu wenig Wörter vorhanden,\rbitte die Filterauswahl kontrollieren!\r");
const QString kNone =
    QStringLiteral("Es sind keine Wörter vorhanden.\rbitte die Filterwahl kontrollieren!\r");

// Panel positions (twips).
constexpr int kOut = 11040;
constexpr int kOptionsOut = 8400;
constexpr int kOptionsIn = 1680;
constexpr int kOptionsHigh = 400;
constexpr int kNameIn = 5640;
constexpr int kSideIn = 3840;
} // namespace

void SlidingPanel::moveTo(int l, int t) {
    left = l;
    top = t;
    if (!widget)
        return;
    twips::move(widget, l, t);
    // Parked outside the window it is hidden as well, so that Tab and
    // screen readers do not walk through controls nobody can see.
    widget->setVisible(widget->geometry().intersects(widget->parentWidget()->rect()));
}

Form1::Form1(KalimboProgram &program)
    : Screen(program, 10815, 7560, QStringLiteral("Kalimbo (Menü)"), QColor(192, 255, 255)),
      m_program(program) {
    setWindowIcon(icon::window());
    buildHead();
    buildButtons();
    buildNamePanel();
    buildOptionsPanel();
    buildColourPanel();
    buildLetterPanel();

    // Loading: centre, date, default colours, palettes, listing, letters,
    // settings, then the noun list with the filter off.
    centre();
    Label8->setText(program.clock().today().toString(QStringLiteral("dd.MM.yyyy")));
    m_vowel = 12;
    m_consonant = 10;
    farbtafel();
    if (!bildersuche()) {
        m_aborted = true;
        return;
    }
    lautliste();
    iniladen();
    filterChanged();
    m_program.state().setNameField(Text1->text());
    m_program.state().setNameLabel(Label5->text());
    showClass();
    connect(&m_program.state(), &MenuState::classChanged, this, &Form1::showClass);
}

// --- layout ---------------------------------------------------------------

void Form1::buildHead() {
    Shape1 = controls::shape(this, kBand, 0, 0, 10935, 975);
    KALIMBO_NAME(Shape1);
    Label1 = controls::label(this, QStringLiteral("TRV - Tavolumen"), 1440, 120, 6015, 255);
    KALIMBO_NAME(Label1);
    Label1->setStyleSheet(QStringLiteral("color: white"));
    Label8 = controls::label(this, QString(), 1440, 675, 1455, 255);
    KALIMBO_NAME(Label8);
    Label8->setStyleSheet(QStringLiteral("color: white"));
    Label4 = controls::label(this, QStringLiteral("Ein Spiel mit Nomen"), 8280, 600, 2415, 255);
    KALIMBO_NAME(Label4);
    Label4->setStyleSheet(QStringLiteral("color: white"));
    Picture1 = controls::label(this, QString(), 8520, 120, 495, 495);
    KALIMBO_NAME(Picture1);
    Picture1->setPixmap(icon::initial(twips::px(495)));
    Picture1->setAccessibleName(QStringLiteral("Kalimbo"));
    Label2 = controls::label(this, QStringLiteral("alimbo"), 9000, 120, 1695, 495,
                             controls::verdana(20.25, true));
    KALIMBO_NAME(Label2);
    Label2->setStyleSheet(QStringLiteral("color: rgb(255,255,0)"));
    Picture2 = controls::label(this, QString(), 720, 240, 480, 480);
    KALIMBO_NAME(Picture2);
    Picture2->setPixmap(icon::program(twips::px(480)));
    Picture2->setCursor(Qt::PointingHandCursor);
    Picture2->setToolTip(QStringLiteral("Über Kalimbo"));
    Picture2->setAccessibleName(QStringLiteral("Über Kalimbo"));
    Picture2->installEventFilter(this);

    const QFont big = controls::verdana(14.25, true);
    Label5 = controls::label(this, QStringLiteral("Freund"), 960, 1680, 1125, 345, big);
    KALIMBO_NAME(Label5);
    controls::colourise(Label5, kBand, kNameText);
    Label7 = controls::label(this, nouns::countCaption(0), 960, 2520, 1140, 345, big);
    KALIMBO_NAME(Label7);
    controls::colourise(Label7, kBand, kNameText);
    // Name and count grow with their text, as auto-sized labels do.
    Label5->setMinimumWidth(Label5->width());
    Label5->adjustSize();
    Check1 = controls::checkBox(this, QStringLiteral("Filter"), 960, 3360, 1335, 375);
    KALIMBO_NAME(Check1);
    Check1->setFont(big);
    controls::colourise(Check1, kBand, kNameText);
    connect(Check1, &QCheckBox::toggled, this, [this] { filterChanged(); });
}

void Form1::buildButtons() {
    Shape5 = controls::shape(this, kBand, 0, 4920, 3855, 2895);
    KALIMBO_NAME(Shape5);
    Shape6 = controls::shape(this, QColor(192, 192, 255), 3840, 4920, 7215, 2895);
    KALIMBO_NAME(Shape6);
    const int lefts[6] = {240, 1920, 4080, 5760, 7440, 9120};
    const int tops[3] = {5160, 6000, 6840};
    auto make = [&](int row, int col, const char *text) {
        return controls::button(this, QString::fromUtf8(text), lefts[col], tops[row],
                                col == 1 ? 1695 : 1455, 495);
    };
    Command1 = make(0, 0, "Beenden");
    KALIMBO_NAME(Command1);
    Command4 = make(0, 1, "Farben");
    KALIMBO_NAME(Command4);
    Command2 = make(0, 2, "Nomen");
    KALIMBO_NAME(Command2);
    Command3 = make(0, 3, "Begleiter");
    KALIMBO_NAME(Command3);
    Command11 = make(0, 4, "Abschrift");
    KALIMBO_NAME(Command11);
    Command18 = make(0, 5, "Fange");
    KALIMBO_NAME(Command18);
    Command15 = make(1, 0, "Kontrolle");
    KALIMBO_NAME(Command15);
    Command8 = make(1, 1, "Laute");
    KALIMBO_NAME(Command8);
    Command16 = make(1, 2, "Bildwahl");
    KALIMBO_NAME(Command16);
    Command10 = make(1, 3, "Ergänzen");
    KALIMBO_NAME(Command10);
    Command12 = make(1, 4, "Diktat");
    KALIMBO_NAME(Command12);
    Command17 = make(1, 5, "Memory");
    KALIMBO_NAME(Command17);
    Command21 = make(2, 0, "Lehrer ...");
    KALIMBO_NAME(Command21);
    Command9 = make(2, 1, "Name");
    KALIMBO_NAME(Command9);
    Command13 = make(2, 2, "Wortwahl");
    KALIMBO_NAME(Command13);
    Command20 = make(2, 3, "A B C");
    KALIMBO_NAME(Command20);
    Command19 = make(2, 4, "Teppich");
    KALIMBO_NAME(Command19);
    Command14 = make(2, 5, "Galgen");
    KALIMBO_NAME(Command14);

    connect(Command1, &QPushButton::clicked, this, &Form1::beenden);
    connect(Command4, &QPushButton::clicked, this, &Form1::farben);
    connect(Command8, &QPushButton::clicked, this, &Form1::laute);
    connect(Command21, &QPushButton::clicked, this, &Form1::lehrer);
    connect(Command9, &QPushButton::clicked, this, &Form1::nameButton);
    connect(Command15, &QPushButton::clicked, this,
            [this] { m_program.showScreen(ScreenId::Form11); });

    const std::pair<QPushButton *, LogList> launches[] = {
        {Command2, LogList::Lesen},      {Command3, LogList::Begleiter},
        {Command10, LogList::Ergaenzen}, {Command13, LogList::Wortwahl},
        {Command16, LogList::Bildwahl},  {Command11, LogList::Abschrift},
        {Command12, LogList::Diktat},    {Command14, LogList::Galgen},
        {Command17, LogList::Memory},    {Command18, LogList::Fange},
        {Command19, LogList::Teppich},   {Command20, LogList::Abc},
    };
    for (const auto &[button, log] : launches) {
        const Exercise &e = exercises::of(log);
        connect(button, &QPushButton::clicked, this, [this, &e] {
            launch(int(List2.size()), e.leastNouns, e.tooFewText ? kTooFew : kNone,
                   QString::fromUtf8(e.launchTitle), e.screen);
        });
    }
}

void Form1::buildNamePanel() {
    auto *w = new QWidget(this);
    controls::colourise(w, kPanel);
    w->resize(twips::px(5055), twips::px(1815));
    w->setObjectName(QStringLiteral("Picture6"));
    Picture6.widget = w;
    Picture6.moveTo(kOut, 1920);
    Label11 = controls::label(w, QStringLiteral("Namen"), 0, 0, 4815, 255);
    KALIMBO_NAME(Label11);
    controls::colourise(Label11, kBand, Qt::white);
    Command24 = controls::button(w, QStringLiteral("X"), 4800, 0, 255, 255);
    KALIMBO_NAME(Command24);
    Label9 =
        controls::label(w, QStringLiteral("Gib jetzt einen neuen Namen ein:"), 120, 480, 4815, 255);
    KALIMBO_NAME(Label9);
    Text1 = new QLineEdit(QStringLiteral("Gast"), w);
    Text1->setAccessibleName(QStringLiteral("Name"));
    KALIMBO_NAME(Text1);
    Text1->setFont(controls::verdana(14.25, true));
    // Longer names would only run out of the name label and the greetings.
    Text1->setMaxLength(64);
    controls::colourise(Text1, QColor(192, 255, 255));
    twips::place(Text1, 120, 720, 4815, 495);
    Command25 = controls::button(w, QStringLiteral("Fertig!"), 3600, 1320, 1335, 375);
    KALIMBO_NAME(Command25);

    // The name field is never empty. The "Gast" that comes back is selected,
    // so that the next name typed replaces it rather than joins it.
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!t.isEmpty())
            return;
        Text1->setText(QStringLiteral("Gast"));
        Text1->selectAll();
    });
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!t.isEmpty())
            m_program.state().setNameField(t);
    });
    connect(Command25, &QPushButton::clicked, this, &Form1::fertig);
    connect(Command24, &QPushButton::clicked, this, [this] { Picture6.moveLeft(kOut); });

    // On a board a child types the name on large keys too (all the letters:
    // a name is not made of the learnt ones); they show while the panel is
    // in, and "fertig" is "Fertig!".
    NameKeyboard = new ScreenKeyboard(this, m_program.state(), ScreenKeyboard::Kind::Writing);
    NameKeyboard->setActive(false);
    NameKeyboard->setAllLetters(true);
    NameKeyboard->setReceiver(Text1);
    connect(NameKeyboard, &ScreenKeyboard::done, this, &Form1::fertig);
    w->installEventFilter(this);
}

void Form1::buildOptionsPanel() {
    auto *w = new QWidget(this);
    controls::colourise(w, kPanel);
    w->resize(twips::px(6375), twips::px(2535));
    w->setObjectName(QStringLiteral("Picture5"));
    Picture5.widget = w;
    Picture5.moveTo(4320, kOptionsOut);
    auto *title = controls::label(w, QStringLiteral("Optionen"), 0, 0, 6135, 255);
    title->setObjectName(QStringLiteral("Label10"));
    controls::colourise(title, kBand, Qt::white);
    Command23 = controls::button(w, QStringLiteral("X"), 6120, 0, 255, 255);
    KALIMBO_NAME(Command23);
    Check3 = controls::checkBox(w, QStringLiteral("Farbeinstellungen ein"), 120, 480, 2895, 255);
    KALIMBO_NAME(Check3);
    Check5 = controls::checkBox(w, QStringLiteral("Namenseingabe ein"), 120, 960, 2895, 255);
    KALIMBO_NAME(Check5);
    Check4 = controls::checkBox(w, QStringLiteral("Wortfilterauswahl ein"), 120, 1440, 2895, 255);
    KALIMBO_NAME(Check4);
    Check2 = controls::checkBox(w, QStringLiteral("Bestätigungen ein"), 3600, 480, 2655, 255);
    KALIMBO_NAME(Check2);
    Check6 = controls::checkBox(w, QStringLiteral("Bilder bei Nomen ein"), 3600, 960, 2655, 270);
    KALIMBO_NAME(Check6);
    Check7 = controls::checkBox(w, QStringLiteral("Druckerausgabe ein"), 3600, 1440, 2655, 270);
    KALIMBO_NAME(Check7);
    for (QCheckBox *c : {Check2, Check3, Check4, Check5, Check6, Check7})
        c->setFont(controls::verdana(8.25, true));
    Check2->setChecked(true);
    Check5->setChecked(true);
    // The model follows the switches, and a switch the model changes (the
    // reading screen's picture switch) follows it.
    for (Option o : {Option::Bestaetigungen, Option::Farbeinstellungen, Option::Wortfilterauswahl,
                     Option::Namenseingabe, Option::BilderBeiNomen, Option::Druckerausgabe}) {
        QCheckBox *box = optionBox(o);
        m_program.state().setOption(o, box->checkState() == Qt::Checked);
        connect(box, &QCheckBox::stateChanged, this, [this, o, box] {
            m_program.state().setOption(o, box->checkState() == Qt::Checked);
        });
    }
    connect(&m_program.state(), &MenuState::optionChanged, this, [this](Option o) {
        if (m_program.state().option(o) != (optionBox(o)->checkState() == Qt::Checked))
            optionBox(o)->setChecked(m_program.state().option(o));
    });
    Command27 = controls::button(w, QStringLiteral("Abbruch ..."), 120, 2040, 1455, 375);
    KALIMBO_NAME(Command27);
    Command22 = controls::button(w, QStringLiteral("Kärtchen"), 1680, 2040, 1455, 375);
    KALIMBO_NAME(Command22);
    Command28 = controls::button(w, QStringLiteral("Lautübung"), 3240, 2040, 1455, 375);
    KALIMBO_NAME(Command28);
    Command29 = controls::button(w, QStringLiteral("Schreiben"), 4800, 2040, 1455, 375);
    KALIMBO_NAME(Command29);
    // In the title band beside "X", clear of the switches, so no option
    // moves and it reads as the panel's own button.
    ExtrasButton = controls::button(w, QStringLiteral("Extras ..."), 4800, 0, 1215, 255);
    KALIMBO_NAME(ExtrasButton);
    ExtrasButton->setFont(controls::verdana(8.25, true));
    connect(ExtrasButton, &QPushButton::clicked, this, &Form1::openExtras);

    connect(Command23, &QPushButton::clicked, this, [this] { Picture5.moveTop(kOptionsHigh); });
    connect(Command27, &QPushButton::clicked, this, [this] { Picture5.moveTop(kOptionsOut); });
    const QString title9 = QStringLiteral("Lernkärtchen");
    connect(Command22, &QPushButton::clicked, this, [this, title9] {
        launch(int(File1.size()), 9,
               QStringLiteral("Es müssen mindestens 9 Nomen vorhanden sein!\r\r"), title9,
               ScreenId::Drucken1, false);
    });
    connect(Command28, &QPushButton::clicked, this, [this, title9] {
        launch(int(File1.size()), 16,
               QStringLiteral("Es müssen mindestens 16 Nomen vorhanden sein!\r\r"), title9,
               ScreenId::Drucken2, false);
    });
    connect(Command29, &QPushButton::clicked, this, [this, title9] {
        launch(int(File1.size()), 9,
               QStringLiteral("Es müssen mindestens 9 Nomen vorhanden sein!\r\r"), title9,
               ScreenId::Drucken3, false);
    });
}

void Form1::buildColourPanel() {
    colourCanvas = new Canvas(this);
    colourCanvas->resize(twips::px(6855), twips::px(2535));
    colourCanvas->setBackground(kPanel);
    colourCanvas->surface().setFont(QStringLiteral("Verdana"), 12, true);
    colourCanvas->clear();
    colourCanvas->setObjectName(QStringLiteral("Picture3"));
    colourCanvas->setAccessibleName(QStringLiteral("Farben"));
    Picture3.widget = colourCanvas;
    Picture3.moveTo(kOut, 1680);
    Shape2 = controls::shape(colourCanvas, palette::colour(10), 3240, 105, 1455, 255);
    KALIMBO_NAME(Shape2);
    Shape3 = controls::shape(colourCanvas, palette::colour(12), 3240, 1605, 1455, 255);
    KALIMBO_NAME(Shape3);
    for (QWidget *s : {Shape2, Shape3}) {
        s->setAttribute(Qt::WA_TransparentForMouseEvents); // presses reach the panel
        s->raise();
    }
    Hintergrund = new Canvas(colourCanvas);
    KALIMBO_NAME(Hintergrund);
    Hintergrund->setAccessibleName(QStringLiteral("Hintergrundfarbe"));
    twips::place(Hintergrund, 4800, 0, 2055, 2535);
    Hintergrund->surface().setFont(QStringLiteral("Verdana"), 14.25, true);
    Hintergrund->setBackground(Qt::black);
    Hintergrund->clear();
    const int lefts[3] = {5040, 5640, 6240};
    QScrollBar **bars[3] = {&VScroll1, &VScroll2, &VScroll3};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QScrollBar(Qt::Vertical, colourCanvas);
        b->setRange(0, 255);
        b->setSingleStep(1);
        b->setPageStep(16);
        b->setTracking(true); // the sample follows while dragging
        twips::place(b, lefts[i], 480, 375, 1815);
        b->raise();
        connect(b, &QScrollBar::valueChanged, this, [this] {
            hintergrundfarbe();
            if (!m_loadingColours)
                warnContrast();
        });
        *bars[i] = b;
    }
    KALIMBO_NAME(VScroll1);
    KALIMBO_NAME(VScroll2);
    KALIMBO_NAME(VScroll3);
    VScroll1->setAccessibleName(QStringLiteral("Rot"));
    VScroll2->setAccessibleName(QStringLiteral("Grün"));
    VScroll3->setAccessibleName(QStringLiteral("Blau"));
    connect(colourCanvas, &Canvas::mousePressed, this,
            [this](QPoint p, Qt::MouseButton) { colourChoice(p.x(), p.y()); });
    // Between the two palettes, where a press changes nothing.
    Warnung = controls::label(colourCanvas, QString(), 100, 1060, 4600, 540,
                              controls::verdana(8.25, true));
    KALIMBO_NAME(Warnung);
    Warnung->setWordWrap(true);
    Warnung->setAttribute(Qt::WA_TransparentForMouseEvents);
    Warnung->hide();
    connect(&m_program.state(), &MenuState::extrasChanged, this, [this] {
        const bool on = m_program.extras().highContrast;
        if (!on)
            Warnung->hide();
        if (on == m_contrastDrawn)
            return;
        // The panel's own texts and the head's initial are drawn once:
        // again, in the other look.
        m_contrastDrawn = on;
        Picture1->setPixmap(
            icon::initial(twips::px(495), highcontrast::readable(QColor(255, 255, 0), kBand)));
        colourCanvas->clear();
        farbtafel();
        hintergrundfarbe();
    });
}

void Form1::buildLetterPanel() {
    auto *w = new QWidget(this);
    controls::colourise(w, kPanel);
    w->resize(twips::px(6855), twips::px(2655));
    w->setObjectName(QStringLiteral("Picture4"));
    Picture4.widget = w;
    Picture4.moveTo(kOut, 1560);
    auto *title = controls::label(w, QStringLiteral("Lautauswahl"), 0, 0, 6615, 255);
    title->setObjectName(QStringLiteral("Label12"));
    controls::colourise(title, kBand, Qt::white);
    Command5 = controls::button(w, QStringLiteral("X"), 6600, 0, 255, 255);
    KALIMBO_NAME(Command5);
    List1 = controls::list(w, 120, 360, 4095, 1755);
    KALIMBO_NAME(List1);
    List1->setAccessibleName(QStringLiteral("Lautauswahl"));
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    // Six columns, filled top to bottom.
    List1->setFlow(QListView::TopToBottom);
    List1->setWrapping(true);
    List1->setResizeMode(QListView::Adjust);
    List1->setGridSize(QSize(twips::px(4095) / 6 - 1, twips::px(1755) / 5 - 1));
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setFont(controls::verdana(12, true));
    List3 = controls::list(w, 4320, 360, 2415, 2190);
    KALIMBO_NAME(List3);
    List3->setAccessibleName(QStringLiteral("Nomen"));
    Command26 = controls::button(w, QStringLiteral("Abbruch"), 120, 2160, 1455, 375);
    KALIMBO_NAME(Command26);
    Command6 = controls::button(w, QStringLiteral("A l l e"), 1560, 2160, 1335, 375);
    KALIMBO_NAME(Command6);
    Command7 = controls::button(w, QStringLiteral("Keiner"), 2880, 2160, 1335, 375);
    KALIMBO_NAME(Command7);

    connect(List1, &QListWidget::itemSelectionChanged, this, [this] { lautfilter(); });
    connect(Command6, &QPushButton::clicked, this, [this] {
        List1->blockSignals(true);
        List1->selectAll();
        List1->blockSignals(false);
        List1->viewport()->update();
        lautfilter();
    });
    connect(Command7, &QPushButton::clicked, this, [this] {
        List1->blockSignals(true);
        List1->clearSelection();
        List1->blockSignals(false);
        List1->viewport()->update();
        lautfilter();
    });
    connect(Command5, &QPushButton::clicked, this, &Form1::closeLetterPanel);
    connect(Command26, &QPushButton::clicked, this, &Form1::closeLetterPanel);
}

// --- state read by other windows -----------------------------------------

QCheckBox *Form1::optionBox(Option o) const {
    switch (o) {
    case Option::Bestaetigungen:
        return Check2;
    case Option::Farbeinstellungen:
        return Check3;
    case Option::Wortfilterauswahl:
        return Check4;
    case Option::Namenseingabe:
        return Check5;
    case Option::BilderBeiNomen:
        return Check6;
    case Option::Druckerausgabe:
        return Check7;
    }
    return Check2;
}

QStringList Form1::previewList() const {
    QStringList out;
    for (int i = 0; i < List3->count(); ++i)
        out << List3->item(i)->text();
    return out;
}

// --- noun list and filter ------------------------------------------------

bool Form1::bildersuche() {
    File1 = nouns::listPictureFiles(QDir::current());
    if (!File1.isEmpty())
        return true;
    m_program.dialogs().message(QStringLiteral("Es wurden keine Bilddateien gefunden!\r"
                                               "Das Programm ist nicht funktionsfähig!\r"),
                                QStringLiteral("Programmabbruch"));
    return false;
}

void Form1::lautliste() {
    List1->blockSignals(true);
    List1->clear();
    for (const QChar c : nouns::kLetters)
        List1->addItem(QString(c));
    List1->blockSignals(false);
}

QString Form1::letterSet() const {
    QString s;
    for (int i = 0; i < List1->count(); ++i)
        if (List1->item(i)->isSelected())
            s += List1->item(i)->text();
    return s;
}

void Form1::lautfilter() {
    const QString letters = letterSet();
    const nouns::FilterResult r = nouns::filter(File1, letters);
    setNounList(r.entries, letters);
    List3->clear();
    List3->addItems(r.nouns);
    Label7->setText(nouns::countCaption(int(r.nouns.size())));
    Label7->adjustSize();
}

void Form1::filterChanged() {
    const bool on = Check1->isChecked();
    if (on)
        lautfilter();
    else
        setNounList(File1);
    Label7->setText(nouns::countCaption(int(List2.size())));
    Label7->adjustSize();
    if (on && List2.isEmpty()) {
        m_program.dialogs().message(
            QStringLiteral("Der Filter erzeugt keine Wörter!\rFilter wird wieder abgeschaltet.\r"),
            QStringLiteral("Filter: "));
        Check1->setChecked(false); // runs this handler again with the full list
    }
}

void Form1::setNounList(const QStringList &entries, const QString &filterLetters) {
    List2 = entries;
    m_program.state().setNouns(List2, File1, filterLetters);
}

void Form1::picturesChanged() {
    File1 = nouns::listPictureFiles(QDir::current());
    filterChanged();
}

// --- settings ------------------------------------------------------------

void Form1::iniladen() {
    // The colours read are no choice of the teacher's: no warning for them.
    m_loadingColours = true;
    const QScopeGuard loaded([this] { m_loadingColours = false; });
    settings::Values cur;
    cur.check2 = int(Check2->checkState() == Qt::Checked);
    cur.check3 = int(Check3->checkState() == Qt::Checked);
    cur.check4 = int(Check4->checkState() == Qt::Checked);
    cur.check5 = int(Check5->checkState() == Qt::Checked);
    cur.consonant = m_consonant;
    cur.vowel = m_vowel;
    cur.red = VScroll1->value();
    cur.green = VScroll2->value();
    cur.blue = VScroll3->value();
    const settings::ReadResult r = settings::read(QString::fromLatin1(settings::kFileName), cur);
    const settings::Values &v = r.values;
    auto setCheck = [](QCheckBox *c, int value) {
        if (value == 2) {
            c->setTristate(true);
            c->setCheckState(Qt::PartiallyChecked);
        } else {
            c->setCheckState(value ? Qt::Checked : Qt::Unchecked);
        }
    };
    // Values are applied in file order, as far as the file is good.
    const int n = r.applied;
    if (n > 0)
        setCheck(Check2, v.check2);
    if (n > 1)
        setCheck(Check3, v.check3);
    if (n > 2)
        setCheck(Check4, v.check4);
    if (n > 3)
        setCheck(Check5, v.check5);
    if (n > 4)
        setConsonant(v.consonant);
    if (n > 5)
        setVowel(v.vowel);
    if (n > 6)
        VScroll1->setValue(v.red);
    if (n > 7)
        VScroll2->setValue(v.green);
    if (n > 8)
        VScroll3->setValue(v.blue);
    if (!r.complete())
        return; // the sample keeps its colour and no letter is selected
    hintergrundfarbe();
    List1->blockSignals(true);
    for (int i = 0; i < List1->count(); ++i)
        if (v.letters.contains(List1->item(i)->text()))
            List1->item(i)->setSelected(true);
    List1->blockSignals(false);
    lautfilter();
}

void Form1::inisave() {
    auto checkValue = [](const QCheckBox *c) {
        switch (c->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
        }
    };
    settings::Values v;
    v.check2 = checkValue(Check2);
    v.check3 = checkValue(Check3);
    v.check4 = checkValue(Check4);
    v.check5 = checkValue(Check5);
    v.consonant = m_consonant;
    v.vowel = m_vowel;
    v.red = VScroll1->value();
    v.green = VScroll2->value();
    v.blue = VScroll3->value();
    v.letters = letterSet();
    if (!settings::write(QString::fromLatin1(settings::kFileName), v))
        m_program.dialogs().message(
            QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.\r\r"),
            QStringLiteral("Kalimbo"), Dialogs::Warning);
}

// --- colours ------------------------------------------------------------

void Form1::farbtafel() {
    Surface &s = colourCanvas->surface();
    s.setTextColour(Qt::black);
    s.setDrawColour(Qt::black);
    s.setPrintPosition(100, 100);
    s.print(QStringLiteral("Farbe der Mitlaute:"), true);
    for (int i = 0; i < 16; ++i)
        s.fillBox(300 * i, 500, 300 * i + 300, 1000, palette::colour(i));
    s.setPrintPosition(100, 1600);
    s.print(QStringLiteral("Farbe der Selbstlaute:"), true);
    for (int i = 0; i < 16; ++i)
        s.fillBox(300 * i, 2000, 300 * i + 300, 2500, palette::colour(i));
    controls::colourise(Shape2, palette::colour(m_consonant));
    controls::colourise(Shape3, palette::colour(m_vowel));
}

void Form1::setConsonant(int i) {
    controls::colourise(Shape2, palette::colour(i));
    m_consonant = i;
    showColours();
}

void Form1::setVowel(int i) {
    controls::colourise(Shape3, palette::colour(i));
    m_vowel = i;
    showColours();
}

void Form1::showColours() {
    m_program.state().setColours(m_vowel, m_consonant, Hintergrund->background());
}

void Form1::colourChoice(int x, int y) {
    const int i = x / 300;
    if (i < 0 || i > 15)
        return; // over the sample box: not the panel's press
    if (y < 1100) {
        setConsonant(i);
        hintergrundfarbe();
        warnContrast();
    } else if (y > 1800) {
        setVowel(i);
        hintergrundfarbe();
        warnContrast();
    }
}

void Form1::warnContrast() {
    const QColor back = Hintergrund->background();
    const double worst = qMin(contrast::ratio(palette::colour(m_vowel), back),
                              contrast::ratio(palette::colour(m_consonant), back));
    if (!m_program.extras().highContrast || worst >= contrast::kWarn) {
        Warnung->hide();
        return;
    }
    // One decimal, cut rather than rounded: 2.96 is no "3,0".
    const QString figure = QLocale(QLocale::German).toString(std::floor(worst * 10) / 10, 'f', 1);
    Warnung->setText(
        QStringLiteral("Schrift und Hintergrund sind schwer zu unterscheiden (Kontrast %1:1).")
            .arg(figure));
    Warnung->show();
}

void Form1::hintergrundfarbe() {
    Hintergrund->setBackground(QColor(VScroll1->value(), VScroll2->value(), VScroll3->value()));
    showColours();
    Hintergrund->clear();
    Surface &s = Hintergrund->surface();
    const QColor vowel = Shape3->palette().color(QPalette::Window);
    const QColor consonant = Shape2->palette().color(QPalette::Window);
    for (const QChar c : QStringLiteral("Hintergrund")) {
        if (QStringLiteral("ieu").contains(c))
            s.setTextColour(vowel);
        else if (QStringLiteral("Hntrgnd").contains(c))
            s.setTextColour(consonant);
        s.print(QString(c));
    }
}

void Form1::optionaus() {
    m_program.dialogs().message(QStringLiteral("Diese Option wurde abgeschaltet.\r\r"),
                                QStringLiteral("Optionen"));
}

// --- buttons --------------------------------------------------------------

void Form1::launch(int count, int minimum, const QString &text, const QString &title, ScreenId id,
                   bool closesLetterPanel) {
    if (count < minimum) {
        m_program.dialogs().message(text, title);
        return;
    }
    if (closesLetterPanel && Picture4.left == kSideIn)
        closeLetterPanel();
    m_program.showScreen(id);
}

void Form1::closeLetterPanel() {
    Picture4.moveLeft(kOut);
    Check1->setChecked(true);
}

void Form1::nameButton() {
    if (!Check5->isChecked()) {
        optionaus();
        return;
    }
    Picture3.moveLeft(kOut);
    Picture4.moveLeft(kOut);
    Picture5.moveTop(kOptionsOut);
    if (Picture6.left == kNameIn) {
        Picture6.moveLeft(kOut);
        return;
    }
    m_program.readClassList(); // another PC of the class may have changed it
    Picture6.moveLeft(kNameIn);
    Check1->setChecked(false);
    Text1->setFocus();
    Text1->setText(Label5->text());
    Text1->selectAll();
}

void Form1::showClass() {
    constexpr int kPanelHeight = 1815;
    constexpr int kColumns = 3;
    constexpr int kButtonHeight = 495, kGap = 60;
    // The panel may grow down to the window's bottom edge, less a margin.
    constexpr int kMostRows =
        (7560 - 1920 - 120 - kPanelHeight - 120 + kGap) / (kButtonHeight + kGap);
    delete Klasse;
    Klasse = nullptr;
    const QStringList names = m_program.state().classNames();
    QWidget *panel = Picture6.widget;
    if (names.isEmpty()) {
        panel->resize(twips::px(5055), twips::px(kPanelHeight));
        return;
    }
    const int rows = int((names.size() + kColumns - 1) / kColumns);
    const int shownRows = std::min(rows, kMostRows);
    const int areaHeight = shownRows * (kButtonHeight + kGap) - kGap;
    auto *area = new QScrollArea(panel);
    area->setObjectName(QStringLiteral("Klasse"));
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(false);
    twips::place(area, 120, kPanelHeight - 60, 4815, areaHeight);
    auto *grid = new QWidget;
    controls::colourise(grid, kPanel);
    const int scrollBar = rows > shownRows ? area->verticalScrollBar()->sizeHint().width() : 0;
    const int width = twips::px(4815) - scrollBar;
    const int buttonWidth = (width - (kColumns - 1) * twips::px(kGap)) / kColumns;
    const QString pictures = classpictures::home(m_program.extras().classBesidePictures);
    for (int i = 0; i < names.size(); ++i) {
        auto *b = new QPushButton(names[i], grid);
        // The child's own picture, round, where there is one.
        if (const QImage face = classpictures::load(pictures, names[i]); !face.isNull()) {
            const int side = twips::px(kButtonHeight) - 6;
            b->setIcon(QPixmap::fromImage(classpictures::round(face, side)));
            b->setIconSize(QSize(side, side));
        }
        b->setObjectName(QStringLiteral("Kind%1").arg(i + 1));
        b->setFont(controls::verdana(12, true));
        b->setAccessibleName(names[i]);
        b->setGeometry((i % kColumns) * (buttonWidth + twips::px(kGap)),
                       (i / kColumns) * twips::px(kButtonHeight + kGap), buttonWidth,
                       twips::px(kButtonHeight));
        // A tap is the name typed and "Fertig!" pressed.
        connect(b, &QPushButton::clicked, this, [this, name = names[i]] {
            Text1->setText(name);
            fertig();
        });
    }
    grid->resize(width, twips::px(rows * (kButtonHeight + kGap) - kGap));
    area->setWidget(grid);
    panel->resize(twips::px(5055), twips::px(kPanelHeight - 60 + areaHeight + 120));
    area->show();
    Klasse = area;
}

void Form1::storeClassPictures(const QStringList &names, const QHash<QString, QByteArray> &changes,
                               const QString &oldHome, const QString &home) {
    QStringList failed;
    for (const QString &name : names) {
        QByteArray bytes;
        if (changes.contains(name))
            bytes = changes.value(name);
        else if (home != oldHome)
            bytes = classpictures::read(oldHome, name); // the list moved: its pictures go along
        else
            continue;
        if (bytes.isEmpty() && !changes.contains(name))
            continue;
        const files::Info info = classpictures::store(home, name, bytes);
        if (info.status != files::Status::Ok)
            failed << name + QStringLiteral(": ") + files::describe(info);
    }
    if (!failed.isEmpty())
        m_program.dialogs().message(
            QStringLiteral("Nicht jedes Bild der Klasse konnte gespeichert werden:\r") +
                failed.join(QLatin1Char('\r')) + QStringLiteral("\r\r"),
            QStringLiteral("Klasse"));
}

void Form1::fertig() {
    Picture6.moveLeft(kOut);
    if (Text1->text().isEmpty())
        return;
    Label5->setText(Text1->text());
    Label5->adjustSize();
    m_program.state().setNameLabel(Label5->text());
    Form11::clearIn(m_program);
}

void Form1::lehrer() {
    Picture3.moveLeft(kOut);
    Picture4.moveLeft(kOut);
    Picture6.moveLeft(kOut);
    Picture5.moveTop(Picture5.top == kOptionsOut ? kOptionsIn : kOptionsOut);
}

void Form1::farben() {
    if (!Check3->isChecked()) {
        optionaus();
        return;
    }
    Picture4.moveLeft(kOut);
    Picture6.moveLeft(kOut);
    Picture5.moveTop(kOptionsOut);
    if (Picture3.left == kSideIn) {
        Picture3.moveLeft(kOut);
    } else {
        Picture3.moveLeft(kSideIn);
        hintergrundfarbe();
    }
}

void Form1::laute() {
    if (!Check4->isChecked()) {
        optionaus();
        return;
    }
    Picture3.moveLeft(kOut);
    Picture6.moveLeft(kOut);
    Picture5.moveTop(kOptionsOut);
    if (Picture4.left == kSideIn) {
        Picture4.moveLeft(kOut);
    } else {
        Picture4.moveLeft(kSideIn);
        Check1->setChecked(true);
    }
}

void Form1::beenden() {
    const QString text = QStringLiteral("Hallo ") + Text1->text() +
                         QStringLiteral(" !\r\rMöchtest du dieses Programm jetzt beenden?\r\r");
    if (!m_program.dialogs().askYesNo(text, QStringLiteral("Kalimbo"), true))
        return;
    inisave();
    m_program.end();
}

// --- window events ------------------------------------------------------

void Form1::activated() {
    Picture3.moveLeft(kOut);
    Picture4.moveLeft(kOut);
    Picture5.moveTop(kOptionsOut);
}

bool Form1::titleBarClose() {
    inisave();
    m_program.dialogs().message(QStringLiteral("Das Programm wird beendet ...\r\r"),
                                QStringLiteral("Kalimbo"));
    m_program.end();
    return false; // end() has closed everything
}

bool Form1::eventFilter(QObject *o, QEvent *e) {
    if (o == Picture6.widget && (e->type() == QEvent::Show || e->type() == QEvent::Hide))
        NameKeyboard->setActive(Picture6.widget->isVisibleTo(this));
    if (o == Picture2 && e->type() == QEvent::MouseButtonRelease) {
        m_program.showScreen(ScreenId::TrvLabel);
        return true;
    }
    return Screen::eventFilter(o, e);
}

void Form1::openExtras() {
    ExtrasDialog::Facts facts;
    facts.recordsFolder = m_program.recordsFolder();
    facts.soundDevice = m_program.hasSoundDevice;
    Extras extras = m_program.extras();
    ExtrasDialog dialog(extras, facts, this);
    connect(&dialog, &ExtrasDialog::historyRequested, this, [this, &dialog] {
        dialog.accept();
        // The report's "Abbruch ..." comes back to this dialog.
        if (auto *report = qobject_cast<Verlauf *>(m_program.screen(ScreenId::Verlauf)))
            report->goBack = [this] {
                m_program.showMenu();
                QTimer::singleShot(0, this, &Form1::openExtras);
            };
        m_program.showScreen(ScreenId::Verlauf);
    });
    connect(&dialog, &ExtrasDialog::wordsRequested, this, [this, &dialog] {
        WordManager words(m_program, &dialog);
        words.exec();
    });
    // The sheets' "Abbruch . . ." comes back to this dialog, as the report's does.
    auto openSheet = [this, &dialog](ScreenId id) {
        dialog.accept();
        if (auto *sheet = qobject_cast<SheetWindow *>(m_program.screen(id)))
            sheet->goBack = [this] { QTimer::singleShot(0, this, &Form1::openExtras); };
        m_program.showScreen(id);
    };
    connect(&dialog, &ExtrasDialog::writingLinesRequested, this,
            [openSheet] { openSheet(ScreenId::Schreiblinien); });
    connect(&dialog, &ExtrasDialog::soundTableRequested, this,
            [openSheet] { openSheet(ScreenId::Anlauttabelle); });
    auto store = [this, &extras] {
        m_program.state().setExtras(extras);
        m_program.prepareSyllables();
        if (!extras.save())
            m_program.dialogs().message(
                QStringLiteral("Die Extras konnten nicht gespeichert werden.\r\r"),
                QStringLiteral("Extras"));
    };
    connect(&dialog, &ExtrasDialog::changed, this, store);
    connect(&dialog, &ExtrasDialog::classRequested, this, [this, &dialog, &extras, store] {
        const QString oldHome = classpictures::home(extras.classBesidePictures);
        ClassDialog edit(m_program.state().classNames(), extras.classBesidePictures, oldHome,
                         m_program.dialogs(), &dialog);
        if (edit.exec() != QDialog::Accepted)
            return;
        const QStringList names = edit.names();
        const bool beside = edit.besidePictures();
        if (beside && !classlist::write(QDir::currentPath(), names)) {
            m_program.dialogs().message(
                QStringLiteral("Die Klassenliste konnte nicht gespeichert werden:\r") +
                    QDir::toNativeSeparators(
                        QDir::current().absoluteFilePath(classlist::kFileName)) +
                    QStringLiteral("\r\r"),
                QStringLiteral("Klasse"));
            return;
        }
        storeClassPictures(names, edit.pictureChanges(), oldHome, classpictures::home(beside));
        extras.classBesidePictures = beside;
        extras.classNames = beside ? QStringList() : names;
        store();
        m_program.readClassList(); // Klasse.txt may have changed while the switches did not
        showClass();               // and the pictures while the names did not
    });
    dialog.exec();
}
